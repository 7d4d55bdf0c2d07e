#include "geometry/2DBox.h"
#include "geometry/2DLine.h"
#include "geometry/2DPoint.h"
#include "geometry/3DBox.h"
#include "geometry/P2DLine.h"
#include "geometry/Tolerance.h"
#include "io/MemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
std::vector<std::uint16_t> Words(const CMemoryStream& s)
{
    const auto& b = s.Bytes();
    std::vector<std::uint16_t> w;
    for (std::size_t i = 0; i + 1 < b.size(); i += 2)
        w.push_back(static_cast<std::uint16_t>(b[i] | (b[i + 1] << 8)));
    return w;
}
} // namespace

TEST(Tolerance, PointIdentityAcceptsTheToleranceButValueEqualityDoesNot)
{
    // 0.00001 apart: the same point (not greater than), but not nearly equal (strict).
    EXPECT_TRUE(IsSamePoint(C2DPoint(0, 0), C2DPoint(GEOM_TOLERANCE, 0)));
    EXPECT_FALSE(IsNearlyEqual(0.0f, GEOM_TOLERANCE));
    EXPECT_FALSE(IsSamePoint(C2DPoint(0, 0), C2DPoint(0, 0.000011f)));
    EXPECT_TRUE(IsNearlyEqual(1.0f, 1.0f + 0.000005f));
    EXPECT_FLOAT_EQ(Distance(C2DPoint(0, 0), C2DPoint(3, 4)), 5.0f);
    // A cross product of exactly the tolerance is collinear, a little more is not.
    EXPECT_TRUE(IsCollinear(C2DPoint(0, 0), C2DPoint(1, 0), C2DPoint(0, GEOM_TOLERANCE)));
    EXPECT_FALSE(IsCollinear(C2DPoint(0, 0), C2DPoint(1, 0), C2DPoint(0, 0.000011f)));
    EXPECT_TRUE(IsCollinear(C2DPoint(0, 0), C2DPoint(4, 0), C2DPoint(2, 0)));   // a spike counts
    EXPECT_EQ(AbsF(-0.0f), 0.0f);
    EXPECT_EQ(AbsF(-2.5f), 2.5f);
}

TEST(Boxes, NewAndResetBoxesAreEmpty)
{
    C2DBox box;
    EXPECT_EQ(box.m_ptMin, C2DPoint(9999, 9999));
    EXPECT_EQ(box.m_ptMax, C2DPoint(-9999, -9999));
    box.SetBox(4, 3, 2, 1);   // maxX, maxY, minX, minY
    EXPECT_EQ(box.m_ptMax, C2DPoint(4, 3));
    EXPECT_EQ(box.m_ptMin, C2DPoint(2, 1));
    C3DBox box3;
    EXPECT_EQ(box3.m_ptMax, C3DPoint(0, 0, 0));
    EXPECT_EQ(box3.m_ptMin, C3DPoint(9999, 9999, 9999));
    box3.ResetBox();
    EXPECT_EQ(box3.m_ptMax, C3DPoint(-9999, -9999, -9999));
}

TEST(MachineWords, ScaledAndNormalisedCoding)
{
    struct Case {
        float x1, y1, x2, y2, scale;
        int mode;
        std::vector<std::uint16_t> words;
    };
    const Case cases[] = {
        // trunc(123.9) = 123; 5000 - trunc(50.5) = 4950.
        {12.34f, 5.0f, 0.0f, 0.0f, 0.1f, 0, {123, 4950, 0, 5000}},
        // y above 500 mm at scale 0.1 wraps below zero and is kept to 16 bits.
        {0.0f, 600.0f, 1.0f, 0.0f, 0.1f, 2, {0, static_cast<std::uint16_t>(5000 - 6000), 10, 5000}},
        // Normalised: 2000 mm is the top word, 1 mm is trunc(32.7675) = 32, no flip of y.
        {2000.0f, 1.0f, 0.0f, 1000.0f, 0.1f, 1, {65535, 32, 0, 32767}},
    };
    for (const Case& c : cases) {
        CMemoryStream s;
        EXPECT_TRUE(C2DLine(c.x1, c.y1, c.x2, c.y2).WriteWords(s, c.scale, c.mode));
        EXPECT_EQ(Words(s), c.words) << c.x1 << " mode " << c.mode;
    }
    // Scales below the tolerance write nothing.
    for (float scale : {0.0f, 0.000009f, -1.0f}) {
        CMemoryStream s;
        EXPECT_FALSE(C2DLine(1, 1, 2, 2).WriteWords(s, scale, 0));
        EXPECT_EQ(s.Size(), 0);
    }
}

TEST(MachineWords, ReadingDecodesBothModesAndRefusesShortInput)
{
    const std::uint16_t raw[] = {65535, 0, 123, 4950};
    {
        CMemoryStream s(raw, sizeof raw);
        C2DLine line;
        ASSERT_TRUE(line.ReadWords(s, 0.1f, 1));
        EXPECT_FLOAT_EQ(line.m_ptStart.m_x, 2000.0f);
        EXPECT_FLOAT_EQ(line.m_ptStart.m_y, 0.0f);
    }
    {
        CMemoryStream s(raw, sizeof raw);
        C2DLine line;
        ASSERT_TRUE(line.ReadWords(s, 0.1f, 0));
        EXPECT_FLOAT_EQ(line.m_ptEnd.m_x, 12.3f);
        EXPECT_FLOAT_EQ(line.m_ptEnd.m_y, 5.0f);
        // y = (5000 - 65535 as a signed difference) * scale, not a wrapped word.
        const std::uint16_t high[] = {65535, 65535};
        C2DPoint p;
        CMemoryStream s2(high, sizeof high);
        ASSERT_TRUE(p.ReadWords(s2, 1.0f, 0));
        EXPECT_FLOAT_EQ(p.m_x, 65535.0f);
        EXPECT_FLOAT_EQ(p.m_y, -60535.0f);
    }
    CMemoryStream shortStream(raw, 3);
    C2DPoint p(7, 7);
    EXPECT_FALSE(p.ReadWords(shortStream, 1.0f, 0));
}

TEST(ClassifyRay, CodesInTestOrder)
{
    struct Case {
        C2DPoint a, b, t;
        int code;
        float crossX;   // checked for codes 2, 3, 4
    };
    const Case cases[] = {
        {{0, 0}, {1, 2}, {5, 1}, 5, 0},          // wholly left
        {{6, 2}, {8, 3}, {5, 1}, 5, 0},          // wholly above
        {{6, 0}, {8, -3}, {5, 1}, 5, 0},         // wholly below
        {{6, 1}, {8, 1}, {5, 1}, 1, 0},          // on the ray's line
        {{2, 1}, {8, 1}, {5, 1}, 1, 0},          // on the line, straddling T
        {{1, 1}, {3, 1}, {5, 1}, 5, 0},          // on the line but left of T: test 1 first
        {{6, 1}, {6, 4}, {5, 1}, 2, 6},          // starts on the ray
        {{1, 1}, {6, 4}, {5, 1}, 5, 0},          // starts on the line left of T
        {{6, 4}, {7, 1}, {5, 1}, 3, 7},          // ends on the ray
        {{6, 4}, {4, 1}, {5, 1}, 5, 0},          // ends on the line left of T
        {{4, 0}, {8, 2}, {5, 1}, 4, 6},          // proper crossing
        {{2, 0}, {6, 2}, {5, 1}, 5, 0},          // crosses left of T
        {{5, 0}, {5, 2}, {5, 1}, 4, 5},          // crossing exactly at T counts
    };
    for (const Case& c : cases) {
        float x = -1.0f;
        const int code = CP2DLine(&c.a, &c.b).ClassifyRay(c.t, x);
        EXPECT_EQ(code, c.code) << c.a.m_x << "," << c.a.m_y << " -> " << c.b.m_x << "," << c.b.m_y;
        if (code >= 2 && code <= 4)
            EXPECT_FLOAT_EQ(x, c.crossX);
        else
            EXPECT_EQ(x, -1.0f);
    }
    // NaN never crosses.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const C2DPoint a(nan, 0), b(3, 2), t(1, 1);
    float x = -1.0f;
    EXPECT_EQ(CP2DLine(&a, &b).ClassifyRay(t, x), 5);
}

TEST(ToScreen, MapsTheModelSquareOntoTheWindowHeight)
{
    EXPECT_EQ(ToScreen(C2DPoint(0, 0), 800, 600, 1.0f, 0, 0), (CPixel{400, 300}));
    EXPECT_EQ(ToScreen(C2DPoint(320, 320), 800, 600, 1.0f, 0, 0), (CPixel{700, 0}));
    EXPECT_EQ(ToScreen(C2DPoint(-320, -320), 800, 600, 1.0f, 0, 0), (CPixel{100, 600}));
    // Zoom and offset apply before the mapping; truncation goes toward zero.
    EXPECT_EQ(ToScreen(C2DPoint(100, 50), 800, 600, 2.0f, 120, -100), (CPixel{700, 300}));
    EXPECT_EQ(ToScreen(C2DPoint(-0.9f, 0.9f), 801, 600, 1.0f, 0, 0), (CPixel{400, 299}));
    // Far-off and NaN coordinates stay defined.
    const CPixel far = ToScreen(C2DPoint(1e30f, std::nanf("")), 800, 600, 1.0f, 0, 0);
    EXPECT_GT(far.x, 800);
    EXPECT_EQ(far.y, 300);
}

TEST(Lines, NearestEndPrefersTheStartOnATie)
{
    const C2DLine line(0, 0, 4, 0);
    float d = 0;
    EXPECT_EQ(line.NearestEnd(C2DPoint(2, 0), d), 1);
    EXPECT_FLOAT_EQ(d, 2.0f);
    EXPECT_EQ(line.NearestEnd(C2DPoint(3, 0), d), 2);
    EXPECT_FLOAT_EQ(d, 1.0f);
}
