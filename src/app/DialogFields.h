#pragma once
#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;
class QString;

// Field exchange of the settings dialogs: a field is parsed, then checked
// against its range; a bad field gives the message the user is shown.
// Decimal field: a number between lo and hi.
std::optional<std::string> CheckFloatField(const std::string& text, double lo, double hi, float& value);
// Whole-number field: a non-negative whole number between lo and hi.
std::optional<std::string> CheckUIntField(const std::string& text, std::uint32_t lo, std::uint32_t hi, std::uint32_t& value);

// Shows the message of a bad field and puts the focus back on it.
void RefuseField(QLineEdit* field, const std::string& message);
// A right-aligned single-line field; digitsOnly refuses every other key.
QLineEdit* MakeField(const QString& text, bool digitsOnly);
