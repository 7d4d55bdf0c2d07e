#pragma once
// Builds CLI files byte by byte for the tests, including broken ones.
#include "support/TempDir.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class CCliBytes {
public:
    // A binary header with the given units and layer count (no count when layers < 0).
    static CCliBytes Binary(const char* units = "1.0", int layers = -1)
    {
        CCliBytes b;
        b.Text("$$HEADERSTART\n$$BINARY\n$$UNITS/");
        b.Text(units);
        if (layers >= 0)
            b.Text(("\n$$LAYERS/" + std::to_string(layers)).c_str());
        b.Text("\n$$HEADEREND");
        return b;
    }

    CCliBytes& Text(const char* s)
    {
        m_bytes.insert(m_bytes.end(), s, s + std::strlen(s));
        return *this;
    }
    CCliBytes& U16(std::uint16_t v) { return Raw(&v, 2); }
    CCliBytes& I32(std::int32_t v) { return Raw(&v, 4); }
    CCliBytes& F32(float v) { return Raw(&v, 4); }

    CCliBytes& LayerLong(float z) { return U16(127).F32(z); }
    CCliBytes& LayerShort(std::uint16_t z) { return U16(128).U16(z); }
    CCliBytes& PolyShort(std::uint16_t dir, std::initializer_list<std::pair<int, int>> pts)
    {
        U16(129).U16(1).U16(dir).U16(static_cast<std::uint16_t>(pts.size()));
        for (auto [x, y] : pts)
            U16(static_cast<std::uint16_t>(x)).U16(static_cast<std::uint16_t>(y));
        return *this;
    }
    CCliBytes& PolyLong(std::int32_t dir, std::initializer_list<std::pair<float, float>> pts)
    {
        U16(130).I32(1).I32(dir).I32(static_cast<std::int32_t>(pts.size()));
        for (auto [x, y] : pts)
            F32(x).F32(y);
        return *this;
    }
    // A square from (x, y) with side s, long form.
    CCliBytes& Square(std::int32_t dir, float x, float y, float s)
    {
        return PolyLong(dir, {{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}});
    }
    CCliBytes& HatchShort(std::initializer_list<std::pair<int, int>> ends)   // start, end, start, end, ...
    {
        U16(131).U16(7).U16(static_cast<std::uint16_t>(ends.size() / 2));
        for (auto [x, y] : ends)
            U16(static_cast<std::uint16_t>(x)).U16(static_cast<std::uint16_t>(y));
        return *this;
    }
    CCliBytes& HatchLong(std::initializer_list<std::pair<float, float>> ends)
    {
        U16(132).I32(7).I32(static_cast<std::int32_t>(ends.size() / 2));
        for (auto [x, y] : ends)
            F32(x).F32(y);
        return *this;
    }
    CCliBytes& Truncate(std::size_t drop)
    {
        m_bytes.resize(m_bytes.size() - drop);
        return *this;
    }

    std::string Save(const CTempDir& dir, const std::string& name = "part.cli") const
    {
        const std::string path = dir.File(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(m_bytes.data()),
                                                    static_cast<std::streamsize>(m_bytes.size()));
        return path;
    }

    std::vector<std::uint8_t> m_bytes;

private:
    CCliBytes& Raw(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const std::uint8_t*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
        return *this;
    }
};

inline std::vector<std::uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
