#pragma once
#include "scan/PlanePath.h"

#include <cstdint>
#include <vector>

class CByteStream;
class IDrawSurface;

// The scan data of one slice of a layer: one plane path per outer contour
// that produced a scan line, in contour order.
class CScanPlane {
public:
    CScanPlane() = default;
    explicit CScanPlane(float z) : m_z(z) {}
    CScanPlane(float z, int orientation, int fileOffset) : m_z(z), m_orientation(orientation), m_fileOffset(fileOffset) {}

    // Makes the hatch vectors of every plane path (after the last slice of a layer).
    void BuildVectors(float hatchSpace);
    // Path planning of every plane path with the strategy.
    void Order(int strategy);
    // Writes every plane path: connected when connect is 1, else separately.
    // Returns the vectors written.
    int WritePaths(CByteStream& file, int connect, float hatchSpace, int tagged) const;
    // Reads one layer block starting at m_fileOffset into a new plane path's
    // pool, in file order. tagged 1: a 0xFFFD block of 301/302 records up to
    // 0xFFFE; otherwise byteLength bytes of fixed 8-byte vectors decoded with
    // unit. Stops cleanly at a short or damaged block; false when nothing
    // sensible could be read (the plane then holds whatever was read).
    bool ReadPaths(CByteStream& file, std::int64_t byteLength, float unit, int tagged);
    // Draws every plane path's scan path (or its pool when unordered) with a
    // start mark; jump 1 adds red jump tracks; pause 1 waits 10 ms per line.
    void DrawPaths(int pause, IDrawSurface& surface, int w, int h, std::uint32_t colour, int jump, float zoom,
                   float ox, float oy) const;

    float m_z = 0.0f;
    int m_orientation = 0;               // 0 X, 1 Y
    std::vector<CPlanePath> m_paths;     // one per outer contour, contour order
    int m_fileOffset = 0;                // byte position of the layer block when read back
};
