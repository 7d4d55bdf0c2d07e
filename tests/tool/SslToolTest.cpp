// vemo-cli on SSL parts: the listing, the verification verdicts as exit codes
// with the question printed with its answer, and the moved copy.
#include "support/TempDir.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const char* kHeader = "Slice\tV0\nSLICES()\nFILE(file0,part.ssl)\n";

std::string Write(const CTempDir& dir, const std::string& name, const std::string& layers)
{
    const std::string path = dir.File(name);
    std::ofstream(path) << kHeader << layers << "END\n";
    return path;
}

// A square of side 1 inch at (x, y), as SSL contour text.
std::string Square(double x, double y)
{
    std::string s;
    for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}})
        s += std::to_string(x + dx) + " " + std::to_string(y + dy) + "\n";
    return s + "C\n";
}

} // namespace

TEST(SslTool, InfoListsEveryLayerWithTheCliKeys)
{
    if (!ToolBuilt())
        GTEST_SKIP() << "vemo-cli is not built";
    CTempDir dir;
    Write(dir, "part.ssl", "Z 0.1 0.01\n" + Square(0, 0) + "Z 0.11 0.01\n" + Square(2, 0) + Square(0, 0));
    const CToolRun r = RunTool(dir, "info --layers --json part.ssl");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"format\": \"ssl\""), std::string::npos);
    EXPECT_NE(r.out.find("\"layers\": 2"), std::string::npos);
    EXPECT_NE(r.out.find("\"min\": [0, 0, 2.54]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"thickness\": 0.25399998"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"index\": 2, \"z\": 2.794, \"contours\": 2, \"outer\": 2, \"holes\": 0, \"points\": 8, "
                         "\"hatches\": 0, \"vectors\": 0}"),
              std::string::npos)
        << r.out;
}

TEST(SslTool, VerifyExitCodesFollowTheVerdict)
{
    if (!ToolBuilt())
        GTEST_SKIP() << "vemo-cli is not built";
    CTempDir dir;
    Write(dir, "right.ssl", "Z 0.1 0.01\n" + Square(0, 0));
    Write(dir, "negative.ssl", "Z 0.1 0.01\n" + Square(-2, 0));
    Write(dir, "empty.ssl", "Z 0.1 0.01\nC\n" + Square(0, 0));
    struct Case {
        const char* args;
        const char* lang;
        int code;
        const char* err;
    } cases[] = {
        {"verify right.ssl", "en", 0, ""},
        {"verify negative.ssl", "en", 1, "Have negative coordinate value."},
        {"verify empty.ssl", "en", 3, "Continue?\n  -> No"},
        {"verify --yes empty.ssl", "en", 3, "Continue?\n  -> Yes"},
        {"verify empty.ssl", "zh", 3, "出现空环!"},
    };
    for (const Case& c : cases) {
        const CToolRun r = RunTool(dir, c.args, c.lang);
        EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.args << "\n" << r.err;
    }
}

TEST(SslTool, MoveToOriginWritesAReadableCopy)
{
    if (!ToolBuilt())
        GTEST_SKIP() << "vemo-cli is not built";
    CTempDir dir;
    Write(dir, "part.ssl", "Z 0.1 0.01\n" + Square(-1.5, 2));
    ASSERT_EQ(RunTool(dir, "move-to-origin part.ssl -o moved.ssl").code, 0);
    const CToolRun info = RunTool(dir, "info --json moved.ssl");
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("\"min\": [0, 0, 0]"), std::string::npos) << info.out;
    EXPECT_EQ(RunTool(dir, "verify moved.ssl").code, 0);
}
