#include "scan/ScanPlane.h"

#include "io/ByteStream.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr std::uint16_t BLOCK_START = 0xFFFD;
constexpr std::uint16_t BLOCK_END = 0xFFFE;
constexpr std::uint16_t TAG_HATCH = 301;
constexpr std::uint16_t TAG_CONTOUR = 302;
} // namespace

void CScanPlane::BuildVectors(float hatchSpace)
{
    for (CPlanePath& path : m_paths)
        path.BuildVectors(hatchSpace, m_orientation);
}

void CScanPlane::Order(int strategy)
{
    for (CPlanePath& path : m_paths)
        path.Order(strategy);
}

int CScanPlane::WritePaths(CByteStream& file, int connect, float hatchSpace, int tagged) const
{
    int written = 0;
    for (const CPlanePath& path : m_paths)
        written += connect == 1 ? path.WriteConnected(file, m_orientation, hatchSpace, tagged)
                                : path.WriteSeparate(file, hatchSpace, tagged);
    return written;
}

bool CScanPlane::ReadPaths(CByteStream& file, std::int64_t byteLength, float unit, int tagged)
{
    m_paths.emplace_back(m_z);
    std::vector<C2DLine>& pool = m_paths.back().m_vectors;
    if (m_fileOffset < 0 || !file.Seek(m_fileOffset))
        return false;
    if (tagged != 1) {
        // Fixed layout: plain 8-byte vectors.
        const std::int64_t count = std::max<std::int64_t>(byteLength, 0) / 8;
        pool.reserve(static_cast<std::size_t>(std::min(count, file.Remaining() / 8)));
        for (std::int64_t k = 0; k < count; ++k) {
            C2DLine v;
            if (!v.ReadWords(file, unit, 0))
                return false;
            pool.push_back(v);
        }
        return true;
    }
    std::uint16_t word = 0;
    float thickness = 0.0f;
    if (!file.ReadU16(word) || word != BLOCK_START || !file.ReadF32(thickness))
        return false;
    for (;;) {
        if (!file.ReadU16(word))
            return false;   // the block lacks its end word
        if (word == BLOCK_END)
            return true;
        if (word != TAG_HATCH && word != TAG_CONTOUR)
            continue;       // an unknown word is skipped on its own
        std::uint32_t count = 0;
        if (!file.ReadU32(count))
            return false;
        if (count == 0)
            continue;
        C2DPoint prev;
        if (!prev.ReadWords(file, unit, 1))
            return false;
        // The count may lie: never reserve more than the bytes left can hold.
        pool.reserve(pool.size() + static_cast<std::size_t>(std::min<std::int64_t>(count - 1, file.Remaining() / 4)));
        for (std::uint32_t k = 1; k < count; ++k) {
            C2DPoint p;
            if (!p.ReadWords(file, unit, 1))
                return false;
            pool.emplace_back(prev.m_x, prev.m_y, p.m_x, p.m_y);
            prev = p;
        }
    }
}

void CScanPlane::DrawPaths(int pause, IDrawSurface& surface, int w, int h, std::uint32_t colour, int jump, float zoom,
                           float ox, float oy) const
{
    for (const CPlanePath& path : m_paths)
        path.DrawPaths(pause, surface, w, h, colour, jump, zoom, ox, oy);
}
