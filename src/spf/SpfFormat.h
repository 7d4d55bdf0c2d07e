#pragma once
#include <cstdint>

// Marker words and record tags of the machine scan-path file (.spf).
inline constexpr std::uint16_t SPF_MAGIC = 0xFFEF;
inline constexpr std::uint16_t SPF_HEADER_START = 0xFFFA;
inline constexpr std::uint16_t SPF_HEADER_END = 0xFFFB;
inline constexpr std::uint16_t SPF_INDEX_END = 0xFFFC;
inline constexpr std::uint16_t SPF_LAYER_START = 0xFFFD;
inline constexpr std::uint16_t SPF_LAYER_END = 0xFFFE;
inline constexpr std::uint16_t SPF_FILE_END = 0xFFFF;

// Header fields of the tagged layout.
inline constexpr std::uint16_t SPF_TAG_LAYERS = 151;
inline constexpr std::uint16_t SPF_TAG_THICKNESS = 152;
inline constexpr std::uint16_t SPF_TAG_UNIT_X = 153;
inline constexpr std::uint16_t SPF_TAG_UNIT_Y = 154;
inline constexpr std::uint16_t SPF_TAG_DATE = 155;
inline constexpr std::uint16_t SPF_TAG_MAX_X = 156;
inline constexpr std::uint16_t SPF_TAG_MIN_X = 157;
inline constexpr std::uint16_t SPF_TAG_MAX_Y = 158;
inline constexpr std::uint16_t SPF_TAG_MIN_Y = 159;

// Layer records: a polyline of u16 word pairs after a u32 point count.
inline constexpr std::uint16_t SPF_RECORD_HATCH = 301;
inline constexpr std::uint16_t SPF_RECORD_CONTOUR = 302;

// The version this system writes in the tagged layout.
inline constexpr std::uint8_t SPF_TAGGED_VERSION = 10;
// Header lengths are stored in inches.
inline constexpr float SPF_MM_PER_INCH = 25.4f;
// Fixed layout: header size, and the index is padded to blocks of 16 entries.
inline constexpr std::int64_t SPF_FIXED_INDEX_START = 64;
// Offset of the tagged layer count (the value of field 151) in a file
// written by this system.
inline constexpr std::int64_t SPF_TAGGED_COUNT_OFFSET = 12;
inline constexpr std::int64_t SPF_FIXED_COUNT_OFFSET = 8;

// The tagged layout stores coordinates of 0 to 2000 mm.
inline constexpr float SPF_FIELD_MM = 2000.0f;

// True for version bytes that mean the tagged layout (5, 6, 8 and up).
inline bool IsTaggedVersion(std::uint8_t version) { return version == 5 || version == 6 || version >= 8; }

// Whole millimetres of a header bound to its coordinate word, trunc(mm * 65535 / 2000).
std::uint16_t BoundToWord(std::uint16_t mm);
// A value cut toward zero and kept to its low 16 bits; NaN and values beyond
// the integer range give 0.
std::uint16_t TruncToU16(double v);
