#pragma once
#include "geometry/2DLine.h"

#include <cstdint>
#include <vector>

class CByteStream;

// One hatch record carried by a CLI file.
class CHatch {
public:
    void ClearHatch() { m_vectors.clear(); }
    // Mode 1: one block per vector (code 301, count patched to 2, the vector);
    // other modes: plain words. Returns the number of vectors written.
    int WriteHatchVectors(CByteStream& stream, float scale, int mode) const;

    std::uint32_t m_nId = 0;
    std::uint32_t m_nCount = 0;
    std::vector<C2DLine> m_vectors;   // start and end in mm, file order
};
