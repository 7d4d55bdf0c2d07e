#include "GuiSupport.h"

#include "support/ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

// The desktop application and `vemo-cli export` write the same bytes for the
// same part and options; SOURCE_DATE_EPOCH fixes the date both write.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(ExportAgreement, DesktopAndToolWriteTheSameBytes)
{
    if (!ToolBuilt())
        GTEST_SKIP() << "vemo-cli is not built";
    const ScopedEnv epoch("SOURCE_DATE_EPOCH", "1700000000");
    CTempDir dir;
    WriteSquareCli(dir.File("square.cli"), 4, 10.0f, 10.0f, 30.0f, 30.0f);
    WriteSquareSsl(dir.File("square.ssl"), 3, 0.8f);
    const std::string cylinder = std::string(VEMO_SHARED_DATA_DIR) + "/cli/s_Cylinder_ex.cli";

    struct Case {
        std::string input;
        bool cliHatches;   // the CLI-hatch command, which asks for no options
        CExportOptions options;
        std::string toolOptions;
    };
    auto opts = [](float space, int orientation, int strategy, int connect, int contours) {
        CExportOptions o;
        o.hatchSpace = space;
        o.orientation = orientation;
        o.pathStrategy = strategy;
        o.connectHatches = connect;
        o.contourOption = contours;
        return o;
    };
    std::vector<Case> cases = {
        {dir.File("square.cli"), false, opts(0.5f, 0, 1, 1, 0),
         "--hatch-space 0.5 --orientation x --strategy 1 --connect --contours none"},
        {dir.File("square.cli"), false, opts(0.3f, 2, 4, 0, 2), "--hatch-space 0.3 --orientation alternate --strategy 4 --contours last"},
        {dir.File("square.ssl"), false, opts(0.2f, 1, 2, 0, 1), "--hatch-space 0.2 --orientation y --strategy 2 --contours first"},
        {dir.File("square.cli"), true, {}, "--cli-hatches"},
    };
    // A real part from another tool, moved to the origin first (the machine
    // field holds no negative coordinates).
    const std::string moved = dir.File("cylinder.cli");
    if (std::filesystem::exists(cylinder)) {
        EXPECT_EQ(RunTool(dir, "move-to-origin '" + cylinder + "' -o '" + moved + "'").code, 0);
        cases.push_back({moved, false, opts(0.4f, 2, 3, 1, 2),
                         "--hatch-space 0.4 --orientation alternate --strategy 3 --connect --contours last"});
    }

    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + " " + c.toolOptions);
        const std::string gui = dir.File("gui" + std::to_string(n) + ".spf");
        const std::string tool = dir.File("tool" + std::to_string(n) + ".spf");
        ++n;
        {
            CFrameFixture f;
            // The system clock, so that the date comes from SOURCE_DATE_EPOCH
            // as it does for the tool.
            const CScopedPlatform systemClock(CPlatform{&f.m_platform, &f.m_platform, &f.m_platform, nullptr});
            ASSERT_TRUE(f.m_frame->OpenFromCommandLine(c.input));
            f.m_dialogs.m_savePaths.push_back(gui);
            f.m_dialogs.m_options = c.options;
            ASSERT_TRUE(f.m_frame->RunCommand(c.cliHatches ? ID_CLI_TO_SPF : ID_EXPORT_SPF));
            EXPECT_EQ(f.m_dialogs.m_optionsShown.size(), c.cliHatches ? 0u : 1u);
            EXPECT_TRUE(f.m_doc.m_spf.m_bOpen);
        }
        const CToolRun run = RunTool(dir, "export '" + c.input + "' -o '" + tool + "' --quiet " + c.toolOptions);
        ASSERT_EQ(run.code, 0) << run.err;
        const std::string written = ReadFile(gui);
        ASSERT_GT(written.size(), 100u);
        EXPECT_TRUE(written == ReadFile(tool)) << "the two files differ";
    }
}

} // namespace
