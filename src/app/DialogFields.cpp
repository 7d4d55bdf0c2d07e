#include "app/DialogFields.h"

#include "platform/Platform.h"
#include "platform/Texts.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Bounds(const std::string& key, const std::string& lo, const std::string& hi)
{
    std::string text = Tr(key);
    if (const size_t p = text.find("%1"); p != std::string::npos)
        text.replace(p, 2, lo);
    if (const size_t p = text.find("%2"); p != std::string::npos)
        text.replace(p, 2, hi);
    return text;
}

std::string FormatBound(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t a = text.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    const size_t b = text.find_last_not_of(" \t");
    return text.substr(a, b - a + 1);
}

} // namespace

std::optional<std::string> CheckFloatField(const std::string& text, double lo, double hi, float& value)
{
    const std::string t = Trimmed(text);
    char* end = nullptr;
    errno = 0;
    const double v = t.empty() ? 0.0 : std::strtod(t.c_str(), &end);
    if (t.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        return Tr("FieldNotNumber");
    if (v < lo || v > hi)
        return Bounds("FieldFloatRange", FormatBound(lo), FormatBound(hi));
    value = static_cast<float>(v);
    return std::nullopt;
}

std::optional<std::string> CheckUIntField(const std::string& text, std::uint32_t lo, std::uint32_t hi, std::uint32_t& value)
{
    const std::string t = Trimmed(text);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos || t.size() > 10)
        return Tr("FieldNotWhole");
    const unsigned long long v = std::strtoull(t.c_str(), nullptr, 10);
    if (v < lo || v > hi)
        return Bounds("FieldWholeRange", std::to_string(lo), std::to_string(hi));
    value = static_cast<std::uint32_t>(v);
    return std::nullopt;
}

void RefuseField(QLineEdit* field, const std::string& message)
{
    ShowMessage(message, {}, MsgIcon::Warning, MsgButtons::Ok);
    field->setFocus();
    field->selectAll();
}

QLineEdit* MakeField(const QString& text, bool digitsOnly)
{
    auto* field = new QLineEdit(text);
    field->setAlignment(Qt::AlignRight);
    if (digitsOnly)
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    return field;
}
