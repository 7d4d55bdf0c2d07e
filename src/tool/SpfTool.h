#pragma once
#include <cstdint>
#include <string>

// Helpers of the machine-file commands of vemo-cli (export, sample, dump,
// render).

// Lists the records of every layer (or only layer onlyLayer when it is not
// 0): tag, point count and the points in mm. 1 when a block is damaged.
int DumpSpf(const std::string& path, std::uint32_t onlyLayer, bool json);

// Whole-text number parsing: false for empty text, trailing characters,
// NaN or infinity.
bool ParseFloatArg(const std::string& text, float& value);
bool ParseUIntArg(const std::string& text, std::uint32_t& value);
// True when path ends with the given extension, ignoring case (".png").
bool HasExtension(const std::string& path, const std::string& extension);
