#pragma once
#include "geometry/2DLine.h"
#include "scan/ScanLine.h"

#include <cstdint>
#include <deque>
#include <vector>

class CByteStream;
class IDrawSurface;

// Path strategies of the planner.
enum : int {
    PATH_NEAREST = 1,        // "Track point from hand": nearest free vector
    PATH_EXTENT = 2,         // "Extent Priority": columns band by band
    PATH_DEPTH = 3,          // "Depth Priority": columns depth first
    PATH_DEPTH_EXTENT = 4,   // "Depth-Extent together"
};

// The scan lines and hatch vectors of one outer contour (with its holes) in
// one slice, and the order in which the laser scans them.
//
// Vectors are held by value: m_vectors is the pool (after hatching every
// hatch vector line by line, after read-back the vectors read from the file in
// file order); m_scanPath is the planned order, junction vectors included.
// A scan line refers to its vectors by index into the pool.
class CPlanePath {
public:
    CPlanePath() = default;
    explicit CPlanePath(float z) : m_z(z) {}

    // Makes the vectors of every line (pairs of points longer than the hatch
    // space) into the pool and the lines' m_vectors. orientation 0 X, 1 Y.
    void BuildVectors(float hatchSpace, int orientation);
    // Fills m_scanPath by the strategy (1 to 4; any other code leaves it
    // empty). Strategies 2 to 4 empty the lines' m_vectors; 1 empties the pool
    // (and the lines' references into it).
    void Order(int strategy);

    // Every vector of m_scanPath as its own record (tagged) or plain vector
    // (fixed layout); returns the vectors written.
    int WriteSeparate(CByteStream& file, float hatchSpace, int tagged) const;
    // Chains of connected vectors in one record each (tagged), or connection
    // vectors between them (fixed); returns the vectors written, connection
    // vectors included.
    int WriteConnected(CByteStream& file, int orientation, float hatchSpace, int tagged) const;
    // Draws m_scanPath, or the pool when the path is empty.
    void DrawPaths(int pause, IDrawSurface& surface, int w, int h, std::uint32_t colour, int jump, float zoom,
                   float ox, float oy) const;

    float m_z = 0.0f;
    std::deque<CScanLine> m_lines;     // line order 7 appends, 8 prepends
    std::vector<C2DLine> m_scanPath;   // the ordered scan path
    std::vector<C2DLine> m_vectors;    // the vector pool
};
