// vemo-cli as a user runs it: exit codes, messages on standard error in the
// chosen language, the listing on standard output.
#include "support/TempDir.h"
#include "support/ToolRunner.h"
#include "CliBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>


TEST(ToolCommand, ExitCodesAndMessages)
{
    if (!ToolBuilt())
        GTEST_SKIP() << "vemo-cli is not built";
    CTempDir dir;
    const std::string good = CCliBytes::Binary("0.5", 3)
                                 .LayerLong(2).Square(1, -4, -2, 20).Square(0, 2, 2, 4)
                                 .LayerShort(4).Square(1, 0, 0, 10)
                                 .LayerLong(6).Square(1, 0, 0, 10).HatchLong({{1, 1}, {9, 1}, {1, 2}, {9, 2}})
                                 .Save(dir, "good.cli");
    const std::string bad = CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 1).U16(200).Save(dir, "bad.cli");
    const std::string orphan =
        CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 10).Square(0, 20, 20, 2).Save(dir, "orphan.cli");
    const std::string other = CCliBytes().Text("hello").Save(dir, "other.txt");
    const std::string moved = dir.File("moved.cli");

    struct Case {
        std::string args;
        const char* lang;
        int code;
        const char* inOut;   // expected in standard output ("" for nothing to check)
        const char* inErr;   // expected in standard error
    } cases[] = {
        {"", "en", 2, "", "usage: vemo-cli"},
        {"info", "en", 2, "", "usage: vemo-cli info FILE"},
        {"info '" + good + "' --bogus", "en", 2, "", "usage: vemo-cli info"},
        {"info '" + good + "' --on-topology-error maybe", "en", 2, "", "stop or continue"},
        {"info '" + good + "'", "en", 0, "layers     3 counted, 3 stated", ""},
        {"info '" + good + "' --layers", "en", 0, "     3          3         1      1      0        4        1        2", ""},
        {"info --json --layers '" + good + "'", "en", 0,
         "\"box\": {\"min\": [-2, -1, 1], \"max\": [8, 9, 3]}, \"centre\": [3, 4, 2], \"thickness\": 1", ""},
        {"info --json --layers '" + good + "'", "en", 0,
         "{\"index\": 1, \"z\": 1, \"contours\": 2, \"outer\": 1, \"holes\": 1, \"points\": 8, \"hatches\": 0, \"vectors\": 0}",
         ""},
        {"verify '" + good + "'", "en", 0, "", "Prompt: The right file format"},
        {"verify '" + bad + "'", "en", 1, "", "Prompt: The file format error"},
        {"verify '" + bad + "'", "zh", 1, "", "提示: 文件格式错误"},
        // Nobody to ask: the topology question stops and names the flag that goes on.
        {"info --layers '" + orphan + "'", "en", 1, "", "--on-topology-error continue"},
        {"info --layers --on-topology-error continue '" + orphan + "'", "en", 0, "     1          1         2      1      1", ""},
        {"info --layers --on-topology-error stop '" + orphan + "'", "en", 1, "", "The topology structure have error"},
        {"verify '" + other + "'", "en", 1, "", "The file format is not recognised"},
        {"verify '" + dir.File("missing.cli") + "'", "en", 1, "", "Open file error"},
        {"move-to-origin '" + good + "'", "en", 2, "", "usage: vemo-cli move-to-origin FILE -o OUT"},
        {"move-to-origin '" + good + "' -o '" + moved + "'", "en", 0, "", "Saved"},
        {"info --json '" + moved + "'", "en", 0, "\"box\": {\"min\": [0, 0, 0], \"max\": [10, 10, 2]}", ""},
        {"move-to-origin '" + moved + "' -o '" + dir.File("again.cli") + "'", "en", 0, "",
         "The every point of the contour is belong the first quadrant"},
        {"replace-layer '" + good + "' --layer x", "en", 2, "", "usage: vemo-cli replace-layer"},
        {"replace-layer '" + good + "' --layer 4", "en", 1, "", "the file has 3 layers"},
        {"replace-layer '" + good + "' --layer 2", "en", 0, "", ""},
        {"info --layers '" + good + "'", "en", 0, "     2          1         2      1      1        8        0        0", ""},
    };
    for (const Case& c : cases) {
        const CToolRun r = RunTool(dir, c.args, c.lang);
        EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.err;
        EXPECT_NE(r.out.find(c.inOut), std::string::npos) << c.args << "\n" << r.out;
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << c.args << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("again.cli")));
}
