// vemo-cli's machine-file commands, run as a user runs them.
#include "cli/CliDataDoc.h"
#include "cli/CliLayerIo.h"
#include "io/FileStream.h"
#include "spf/Spf.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace {

std::string Tool() { return std::string(VEMO_BINARY_DIR) + "/vemo-cli"; }

struct CRun {
    int code = -1;
    std::string out;
};

CRun RunTool(const std::string& args, const CTempDir& dir)
{
    const std::string outFile = dir.File("stdout.txt");
    const std::string command = "cd '" + dir.Path().string() + "' && VEMO_LANG=en SOURCE_DATE_EPOCH=1268611200 '" +
                                Tool() + "' " + args + " > '" + outFile + "' 2>&1 < /dev/null";
    CRun r;
    const int status = std::system(command.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(outFile);
    r.out.assign(std::istreambuf_iterator<char>(in), {});
    return r;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A small CLI part: a square plate with a round hole, n layers.
void WritePart(const std::string& path, int layers, float x0 = 10)
{
    CCliDataDoc doc;
    doc.m_fUnits = 1.0f;
    doc.m_nLayers = layers;
    CFileStream out;
    ASSERT_TRUE(out.Open(path, CFileStream::Mode::Write));
    ASSERT_TRUE(doc.WriteHeader(out));
    for (int i = 0; i < layers; ++i) {
        CSlice layer;
        layer.m_fHeight = 0.1f * static_cast<float>(i + 1);
        CSliceLoop& outer = layer.AddLoop();
        outer.m_points = {{x0, 10}, {x0 + 30, 10}, {x0 + 30, 30}, {x0, 30}};
        outer.m_nPointCount = 4;
        outer.m_nType = LOOP_OUTER;
        ASSERT_TRUE(WriteCliLayer(layer, out, CLI_KIND_LONG, 1.0f));
    }
    ASSERT_TRUE(out.Close());
}

class SpfTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(Tool()))
            GTEST_SKIP() << "vemo-cli is not built";
        WritePart(m_dir.File("part.cli"), 5);
    }
    CTempDir m_dir;
};

} // namespace

TEST_F(SpfTool, ExportInfoDumpAndVerify)
{
    CRun r = RunTool("export part.cli -o part.spf --hatch-space 0.5 --orientation x --strategy depth --connect", m_dir);
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("part.spf: 5 layers"), std::string::npos) << r.out;

    r = RunTool("info part.spf", m_dir);
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("tagged layout, version 10"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2010-03-15"), std::string::npos) << r.out;   // SOURCE_DATE_EPOCH
    EXPECT_NE(r.out.find("X 9 to 39 mm"), std::string::npos) << r.out;

    r = RunTool("verify part.spf", m_dir);
    EXPECT_EQ(r.code, 0) << r.out;

    r = RunTool("dump part.spf --layer 2 --json", m_dir);
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("\"tag\": 301"), std::string::npos) << r.out;
    // Connected: one record holds the whole plate (39 lines at 0.5 mm, 2 points each).
    EXPECT_NE(r.out.find("\"count\": 78"), std::string::npos) << r.out;

    // Reproducible: the same export twice gives the same bytes.
    ASSERT_EQ(RunTool("export part.cli -o again.spf --hatch-space 0.5 --orientation x --strategy depth --connect --quiet",
                  m_dir).code, 0);
    EXPECT_EQ(ReadAll(m_dir.File("part.spf")), ReadAll(m_dir.File("again.spf")));
}

TEST_F(SpfTool, UsageErrorsAndRefusals)
{
    struct Case {
        const char* args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {"export part.cli -o x.spf --hatch-space 0.05", 2, "0.1 to 99999"},
        {"export part.cli -o x.spf --strategy 5", 2, "--strategy"},
        {"export part.cli -o x.spf --cli-hatches --hatch-space 0.2", 2, "0.05"},
        {"export part.cli", 2, "-o"},
        {"export part.cli -o x.spf --border part.spf", 1, "The contour file error!"},
        {"export far.cli -o x.spf", 1, "Move the part to the origin"},
        {"sample -o s.spf --layers 0", 2, "layers"},
        {"sample -o s.spf --inner 40", 1, "The radius of inner cycle is big than radius of outer cycle."},
        {"render part.cli --layer 9 -o p.png", 1, "no such layer"},
        {"render part.cli --layer 1 -o p.bmp", 2, ".png or .svg"},
        {"dump part.cli", 1, "Not an SPF file"},
    };
    WritePart(m_dir.File("far.cli"), 1, -5);
    ASSERT_EQ(RunTool("export part.cli -o part.spf --quiet", m_dir).code, 0);
    for (const Case& c : cases) {
        const CRun r = RunTool(c.args, m_dir);
        EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("x.spf")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("s.spf")));
}

TEST_F(SpfTool, SampleAndRenderPictures)
{
    CRun r = RunTool("sample -o ring.spf --layers 3 --blank 1 --outer 10 --inner 6 --hatch-space 0.5 --offset 0.2", m_dir);
    ASSERT_EQ(r.code, 0) << r.out;
    CSpf spf;
    ASSERT_TRUE(spf.Open(m_dir.File("ring.spf")));
    EXPECT_EQ(spf.m_data.m_nLayerCount, 3);
    EXPECT_EQ(spf.m_data.m_maxX, 19);   // 20 mm, as a word, read back cut to whole mm

    r = RunTool("render ring.spf --layer 3 -o ring.png --width 320 --height 200 --jumps", m_dir);
    ASSERT_EQ(r.code, 0) << r.out;
    const std::string png = ReadAll(m_dir.File("ring.png"));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(static_cast<unsigned char>(png[18]) << 8 | static_cast<unsigned char>(png[19]), 320);   // width
    EXPECT_EQ(static_cast<unsigned char>(png[22]) << 8 | static_cast<unsigned char>(png[23]), 200);   // height

    r = RunTool("render part.cli --layer 2 -o part.svg", m_dir);
    ASSERT_EQ(r.code, 0) << r.out;
    const std::string svg = ReadAll(m_dir.File("part.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#0000ff\""), std::string::npos);   // the outer contour in the slice colour
}
