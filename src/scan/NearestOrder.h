#pragma once
#include "geometry/2DLine.h"

#include <vector>

// "Track point from hand": takes the pool's first vector as it is, then again
// and again the vector whose nearer end is nearest the current point (the
// earlier one in the pool on a tie; the pool's first one when none is nearer
// than 99999 mm), entered at its nearer end. Appends to path and empties the
// pool. A spatial index keeps it well below quadratic while choosing exactly
// the vector the plain pool walk would choose.
void OrderNearest(std::vector<C2DLine>& pool, std::vector<C2DLine>& path);

// The distance below which a vector can be chosen at all.
inline constexpr float NEAREST_LIMIT = 99999.0f;
