#pragma once
#include "cli/CliCommandReader.h"
#include "layer/Slice.h"

class CByteStream;

// Reading and writing layers in the CLI layer commands. The layer model knows
// nothing of the CLI format; these functions fill and write it.

// Layer kinds: the width of the commands a layer was read or is written in.
inline constexpr int CLI_KIND_LONG = 1;
inline constexpr int CLI_KIND_SHORT = 2;

// Reads the rest of a layer whose start code has just been read: the height,
// then polyline and hatch records up to the next layer start (pushed back) or
// another code (consumed), then builds the topology. Returns 0 for a layer
// without records (no topology built), otherwise BuildTopology's result.
// zRead, when given, tells whether the height could be read at all.
int ReadCliLayer(CSlice& layer, CCliCommandReader& reader, int startCode, float units, PromptState& prompt,
                 bool* zRead = nullptr);
// Reads the records of a layer from its first record, whose code has just
// been read, as ReadCliLayer does; sets the layer's counts; builds nothing.
void ReadCliLayerRecords(CSlice& layer, CCliCommandReader& reader, int firstCode, float units);
// One polyline or hatch record whose code has just been read. False when the
// record is damaged or holds a coordinate that is not a finite number; the
// record is then consumed and nothing is added.
bool ReadCliPolyline(CSlice& layer, CCliCommandReader& reader, int code, float units);
bool ReadCliHatches(CSlice& layer, CCliCommandReader& reader, int code, float units);

// Writes the layer start and every contour in the given kind; false, writing
// nothing, for a layer without contours or another kind. Units not above the
// geometric tolerance count as 1.
bool WriteCliLayer(const CSlice& layer, CByteStream& out, int kind, float units);
// Writes one contour; false, writing nothing, for a contour without points.
bool WriteCliPolyline(const CSliceLoop& loop, CByteStream& out, int kind, float units);
// Writes only a layer start at the given height (mm).
bool WriteCliLayerStart(CByteStream& out, int kind, float height, float units);

// A file-unit value as the short form's unsigned 16-bit word: truncated
// towards zero and wrapped to 16 bits; NaN gives 0.
std::uint16_t ToCliWord(float fileUnits);
