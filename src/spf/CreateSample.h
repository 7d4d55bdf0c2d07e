#pragma once
#include <cstdint>
#include <functional>
#include <string>

class CByteStream;

// The test sample with border offset: a circular or square ring part made of
// concentric hatch rings between an inner and an outer contour, with empty
// layers at the bottom, written as a machine file. This is the writing side;
// a front end (the desktop dialog, vemo-cli sample) fills the members and
// calls CreateSampleFile.
class CCreateSample {
public:
    enum : int { SHAPE_CIRCLE = 0, SHAPE_SQUARE = 1 };

    // The accepted ranges of the members; false names the first member out
    // of range in problem.
    bool CheckRanges(std::string& problem) const;
    // Checks the sizes (inner below outer, fewer blank layers than layers),
    // then writes the sample to path through a temporary file beside it.
    // Problems are reported through the platform's message box.
    bool CreateSampleFile(const std::string& path);

    // Fills the header values from the members (layer count, thickness,
    // units, bounds trunc(2 r1), centre).
    void FillSampleHeader();
    bool WriteSampleHeader(CByteStream& file);
    bool WriteSampleLayers(CByteStream& file);
    bool WriteCircleLayer(CByteStream& file, bool blank);
    bool WriteSquareLayer(CByteStream& file, bool blank);
    // Number of hatch rings a non-blank layer holds.
    int RingCount() const;

    int m_nShape = SHAPE_CIRCLE;
    std::uint32_t m_nLayers = 100;
    float m_fThickness = 0.15f;
    std::uint32_t m_nBlankLayers = 20;
    float m_fOuter = 30.0f;        // r1: radius, or half the side of the square
    float m_fInner = 20.0f;        // r2
    float m_fHatchSpace = 0.01f;   // h
    float m_fOffset = 0.01f;       // d: distance between the contours and the rings

    // Called once per layer written with (k, n), for a progress display.
    std::function<void(std::uint32_t, std::uint32_t)> m_onLayer;

    // Header values of the file being written.
    std::uint16_t m_nLayerCount = 0;
    std::uint16_t m_maxX = 0, m_minX = 0, m_maxY = 0, m_minY = 0;
    float m_cx = 0.0f, m_cy = 0.0f;
};
