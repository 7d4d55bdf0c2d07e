#include "GuiSupport.h"

#include "spf/CreateSample.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace {
void Put16(std::ofstream& out, std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); }
void Put32(std::ofstream& out, std::int32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); }
void PutF(std::ofstream& out, float v) { out.write(reinterpret_cast<const char*>(&v), 4); }
} // namespace

void WriteSquareCli(const std::string& path, int layers, float x0, float y0, float x1, float y1)
{
    std::ofstream out(path, std::ios::binary);
    out << "$$HEADERSTART\n$$BINARY\n$$UNITS/1.000000\n$$VERSION/200\n$$LAYERS/" << layers << "\n$$HEADEREND";
    for (int i = 1; i <= layers; ++i) {
        Put16(out, 127);
        PutF(out, 0.1f * static_cast<float>(i));
        Put16(out, 130);
        Put32(out, 1);   // id
        Put32(out, 1);   // outer
        Put32(out, 4);
        for (float v : {x0, y0, x1, y0, x1, y1, x0, y1})
            PutF(out, v);
    }
}

void WriteSquareSsl(const std::string& path, int layers, float side)
{
    std::ofstream out(path);
    out << "Slice\tV0\nSLICES()\nFILE(part)\n";
    for (int i = 1; i <= layers; ++i) {
        out << "Z " << 0.004 * i << " 0.004\n";
        out << "0 0\n" << side << " 0\n" << side << " " << side << "\n0 " << side << "\nC\n";
    }
    out << "END\n";
}

bool WriteSampleSpf(const std::string& path, int layers)
{
    CCreateSample sample;
    sample.m_nShape = CCreateSample::SHAPE_SQUARE;
    sample.m_nLayers = static_cast<std::uint32_t>(layers);
    sample.m_nBlankLayers = 1;
    sample.m_fThickness = 0.1f;
    sample.m_fOuter = 10.0f;
    sample.m_fInner = 6.0f;
    sample.m_fHatchSpace = 0.5f;
    sample.m_fOffset = 0.5f;
    return sample.CreateSampleFile(path);
}
