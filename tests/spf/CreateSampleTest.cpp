#include "io/FileStream.h"
#include "platform/ScriptedPlatform.h"
#include "spf/CostTime.h"
#include "spf/CreateSample.h"
#include "spf/Spf.h"
#include "spf/SpfFormat.h"
#include "spf/SpfRecords.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace {
struct Written {
    CSpfDataDoc header;
    std::vector<std::vector<SpfRecord>> layers;
};

void ReadSample(const std::string& path, Written& w)
{
    CFileStream file;
    EXPECT_TRUE(file.Open(path, CFileStream::Mode::Read));
    EXPECT_TRUE(w.header.ReadHeader(file));
    for (std::uint32_t k = 1; k <= w.header.m_nLayerCount; ++k) {
        std::int64_t offset = 0, bytes = 0;
        EXPECT_TRUE(w.header.LocateLayer(file, k, offset, bytes));
        std::vector<SpfRecord> records;
        EXPECT_EQ(ReadTaggedBlock(file, offset, records), SpfBlockStatus::Complete);
        w.layers.push_back(std::move(records));
    }
}
} // namespace

TEST(CreateSample, DefaultCircleRingsAndBlankLayers)
{
    CScriptedPlatform platform;
    CTempDir dir;
    CCreateSample sample;   // circular, r1 30, r2 20, h 0.01, d 0.01, 20 blank layers
    sample.m_nLayers = 22;
    EXPECT_EQ(sample.RingCount(), 998);
    ASSERT_TRUE(sample.CreateSampleFile(dir.File("s.spf")));
    Written w;
    ReadSample(dir.File("s.spf"), w);
    EXPECT_EQ(w.header.m_nLayerCount, 22);
    EXPECT_FLOAT_EQ(w.header.m_thickness, 0.15f);
    EXPECT_FLOAT_EQ(w.header.m_hatchSpace, 0.01f);
    EXPECT_EQ(w.header.m_maxX, 59);   // 60 mm written as word 1966, read back cut to whole mm
    EXPECT_EQ(w.header.m_minY, 0);
    ASSERT_EQ(w.layers.size(), 22u);
    for (std::size_t k = 0; k < 20; ++k) {
        ASSERT_EQ(w.layers[k].size(), 1u);
        EXPECT_EQ(w.layers[k][0].tag, SPF_RECORD_HATCH);
        EXPECT_EQ(w.layers[k][0].points, std::vector<C2DPoint>{C2DPoint()});
    }
    const auto& layer = w.layers[20];
    ASSERT_EQ(layer.size(), 1000u);
    for (std::size_t i = 0; i < layer.size(); ++i) {
        EXPECT_EQ(layer[i].tag, i < 998 ? SPF_RECORD_HATCH : SPF_RECORD_CONTOUR);
        ASSERT_EQ(layer[i].points.size(), 181u);
        EXPECT_EQ(layer[i].points.front(), layer[i].points.back());
    }
    // Rings lie d outside the inner circle and one hatch space apart, around (30, 30).
    EXPECT_NEAR(layer[0].points[0].m_x, 30.0f + 20.01f, 0.031f);
    EXPECT_NEAR(layer[1].points[0].m_x, 30.0f + 20.02f, 0.031f);
    EXPECT_NEAR(layer[998].points[90].m_x, 30.0f - 20.0f, 0.031f);   // the inner circle at 180 degrees
    EXPECT_NEAR(layer[999].points[0].m_x, 60.0f, 0.031f);
}

TEST(CreateSample, SizesShapesAndRefusals)
{
    CScriptedPlatform platform;
    CTempDir dir;
    {
        // r1 30.6: bounds of 61 mm, centre (30.5, 30.5).
        CCreateSample s;
        s.m_fOuter = 30.6f;
        s.FillSampleHeader();
        EXPECT_EQ(s.m_maxX, 61);
        EXPECT_FLOAT_EQ(s.m_cx, 30.5f);
    }
    {
        // r2 = r1 - 2d - h/2 leaves no room for a ring: only the two contours.
        CCreateSample s;
        s.m_fInner = 30.0f - 0.02f - 0.005f;
        s.m_nLayers = 2;
        s.m_nBlankLayers = 1;
        EXPECT_EQ(s.RingCount(), 0);
        ASSERT_TRUE(s.CreateSampleFile(dir.File("thin.spf")));
        Written w;
        ReadSample(dir.File("thin.spf"), w);
        ASSERT_EQ(w.layers.size(), 2u);
        EXPECT_EQ(w.layers[1].size(), 2u);
    }
    {
        // Square: every ring and both contours as closed 5-point 302 records.
        CCreateSample s;
        s.m_nShape = CCreateSample::SHAPE_SQUARE;
        s.m_fOuter = 10, s.m_fInner = 5, s.m_fHatchSpace = 0.5f, s.m_fOffset = 0.5f;
        s.m_nLayers = 3;
        s.m_nBlankLayers = 2;   // one fewer than the layers: exactly one layer with rings
        ASSERT_TRUE(s.CreateSampleFile(dir.File("sq.spf")));
        Written w;
        ReadSample(dir.File("sq.spf"), w);
        ASSERT_EQ(w.layers.size(), 3u);
        EXPECT_EQ(w.layers[1].size(), 1u);
        const auto& layer = w.layers[2];
        ASSERT_EQ(layer.size(), static_cast<std::size_t>(s.RingCount()) + 2);
        for (const SpfRecord& r : layer) {
            EXPECT_EQ(r.tag, SPF_RECORD_CONTOUR);
            ASSERT_EQ(r.points.size(), 5u);
            EXPECT_EQ(r.points.front(), r.points.back());
        }
        EXPECT_NEAR(layer[0].points[0].m_x, 10.0f - 5.5f, 0.031f);
        EXPECT_NEAR(layer.back().points[1].m_x, 20.0f, 0.031f);
    }
    struct Refusal {
        float inner;
        std::uint32_t blank;
        const char* text;
    };
    for (const Refusal& r : {Refusal{30, 20, "The radius of inner cycle is big than radius of outer cycle."},
                             Refusal{20, 100, "The layers of blank bottom if big than the layers of part."}}) {
        platform.m_messages.clear();
        CCreateSample s;
        s.m_fInner = r.inner;
        s.m_nBlankLayers = r.blank;
        EXPECT_FALSE(s.CreateSampleFile(dir.File("refused.spf")));
        ASSERT_EQ(platform.m_messages.size(), 1u);
        EXPECT_EQ(platform.m_messages[0].text, r.text);
        EXPECT_EQ(platform.m_messages[0].caption, "Error");
        EXPECT_FALSE(std::ifstream(dir.File("refused.spf")).good());
    }
}

TEST(CostTime, HoursMinutesSeconds)
{
    EXPECT_EQ(FormatCostTime(3725), "Cost Time: 1:2:5");
    EXPECT_EQ(FormatCostTime(59), "Cost Time: 0:0:59");
    EXPECT_EQ(FormatCostTime(0), "Cost Time: 0:0:0");
}
