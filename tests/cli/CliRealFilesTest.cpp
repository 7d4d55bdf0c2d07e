// Files written by other tools: each loads, verifies as right and reads
// layer by layer to its end.
#include "cli/Cli.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(CliRealFiles, EveryFileLoadsVerifiesAndReads)
{
    const std::filesystem::path folder = std::filesystem::path(VEMO_SHARED_DATA_DIR) / "cli";
    if (!std::filesystem::exists(folder))
        GTEST_SKIP() << "no shared data at " << folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".cli")
            continue;
        ++files;
        const std::string path = entry.path().string();
        CScriptedPlatform platform;
        CCli cli;
        cli.m_data.m_strPathName = path;
        EXPECT_TRUE(cli.m_data.VerifyFile()) << path;
        ASSERT_TRUE(cli.Load(path)) << path;
        CCliDataDoc& d = cli.m_data;
        EXPECT_EQ(d.m_nLayers, d.m_nHeaderLayers) << path;
        EXPECT_GT(d.m_fLayerThickness, 0.0f) << path;
        EXPECT_LE(d.m_box.m_ptMin.m_x, d.m_box.m_ptMax.m_x) << path;
        ASSERT_TRUE(d.OpenLayerFile()) << path;
        PromptState prompt = PROMPT_GO_ON;
        int starts = 0, kept = 0;
        float lastZ = -1e30f;
        bool ascending = true;
        while (!d.AtEndOfLayers()) {
            d.ClearLayers();
            CCliLayerStart start;
            const int r = d.ReadNextLayer(prompt, &start);
            ASSERT_NE(r, 2) << path;
            if (!start.started)
                continue;
            ++starts;
            kept += r > 0;
            ascending = ascending && start.z >= lastZ;
            lastZ = start.z;
            EXPECT_GE(start.z, d.m_box.m_ptMin.m_z) << path;
            EXPECT_LE(start.z, d.m_box.m_ptMax.m_z) << path;
        }
        EXPECT_EQ(starts, d.m_nLayers) << path;
        EXPECT_GT(kept, 0) << path;
        EXPECT_TRUE(ascending) << path;
        // Only the verdict was shown; no question, no error.
        ASSERT_EQ(platform.m_messages.size(), 1u) << path;
        EXPECT_EQ(platform.m_messages[0].text, Tr(61450)) << path;
    }
    EXPECT_GE(files, 7);
}
