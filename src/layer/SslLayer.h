#pragma once
#include "layer/Slice.h"
#include "layer/SslTokenReader.h"

class CByteStream;

// SSL lengths are inches; in memory everything is millimetres.
inline constexpr float SSL_INCH = 25.4f;

// The text of one SSL layer. Both readers are entered just after the layer's
// "Z" and consume the "Z" of the next layer (or "END") as the end of their own.

// Reads the layer into slice (height, thickness, contours of three points or
// more) and builds its topology with the pass's prompt state:
//  1 read, another layer follows      2 read, it was the last
//  0 read, the user chose to go on after a topology error in this pass
// -1 the user chose to stop            3 / 4 no usable contour (4: at the end)
// The end of the text ends the layer as "END" does.
int ReadSslLayer(CSlice& slice, CSslTokenReader& text, PromptState& prompt);

// Checks the layer text, telling the user about every problem it meets:
// 1 / 2 sound (2: "END" reached), 3 / 4 usable with empty contours,
// 5 / 6 no usable contour, 7 negative height, 8 negative thickness,
// 9 unreadable text, negative coordinate, a contour of fewer than three
// points or an early end. Nothing read is stored in slice.
int VerifySslLayer(CSlice& slice, CSslTokenReader& text);

// Appends "\nZ <height> <thickness>" and the contours in inches; false
// without a stream.
bool WriteSslLayer(const CSlice& slice, CByteStream* stream);
// Each point on its own line, then a line "C"; false, writing nothing, for a
// contour without points.
bool WriteSslContour(const CSliceLoop& loop, CByteStream& stream);
