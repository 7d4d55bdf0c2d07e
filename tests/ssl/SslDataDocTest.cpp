#include "layer/SslLayer.h"
#include "platform/Language.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"
#include "ssl/Ssl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {
const char* const kHeader = "Slice\tV0\nSLICES()\nFILE(file0,part.stl)\n";

std::string WriteFile(const CTempDir& dir, const std::string& name, const std::string& text)
{
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A message as the user sees it: text and caption keys, icon and buttons.
struct Shown {
    std::string text, caption;
    MsgIcon icon;
    MsgButtons buttons;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> Messages(const CScriptedPlatform& p)
{
    std::vector<Shown> out;
    for (const auto& m : p.m_messages)
        out.push_back({m.text, m.caption, m.icon, m.buttons});
    return out;
}

std::ostream& operator<<(std::ostream& os, const Shown& s)
{
    return os << "[" << s.text << " | " << s.caption << "]";
}

const std::string kSquare = "0 0 1 0 1 1 0 1 C\n";
} // namespace

TEST(SslMeasure, CountsLayersAndFoldsInchesIntoTheBox)
{
    CTempDir dir;
    struct Case {
        const char* name;
        std::string body;
        int layers;
        C3DPoint min, max;
        float thickness;
    };
    const Case cases[] = {
        {"two layers", "Z 0.1 0.004\n1 2 3 2 3 4 C\nZ 0.2 0.008\n1.5 2.5 2 3 1 3 C\nEND", 2, {25.4f, 50.8f, 2.54f},
         {76.2f, 101.6f, 5.08f}, 0.1016f},
        {"header and END only", "END", 0, {9999, 9999, 9999}, {-9999, -9999, -9999}, 1.0f},
        {"ends without END", "Z 0.1 0.01\n1 1 2 1 2 2 C\nZ 0.2 0.01\n1 1 2 1", 2, {25.4f, 25.4f, 2.54f},
         {50.8f, 50.8f, 5.08f}, 0.254f},
        {"stops at END", "Z 0.1 0.01\n1 1 2 1 2 2 C\nEND\nZ 5 1 9 9 C", 1, {25.4f, 25.4f, 2.54f},
         {50.8f, 50.8f, 2.54f}, 0.254f},
    };
    for (const Case& c : cases) {
        CScriptedPlatform platform;
        const std::string path = WriteFile(dir, "m.ssl", kHeader + c.body);
        CSslDataDoc doc;
        ASSERT_TRUE(doc.Measure(path)) << c.name;
        EXPECT_EQ(doc.m_nLayerCount, c.layers) << c.name;
        EXPECT_FLOAT_EQ(doc.m_box.m_ptMin.m_x, c.min.m_x) << c.name;
        EXPECT_FLOAT_EQ(doc.m_box.m_ptMin.m_y, c.min.m_y) << c.name;
        EXPECT_FLOAT_EQ(doc.m_box.m_ptMin.m_z, c.min.m_z) << c.name;
        EXPECT_FLOAT_EQ(doc.m_box.m_ptMax.m_x, c.max.m_x) << c.name;
        EXPECT_FLOAT_EQ(doc.m_box.m_ptMax.m_y, c.max.m_y) << c.name;
        EXPECT_FLOAT_EQ(doc.m_box.m_ptMax.m_z, c.max.m_z) << c.name;
        EXPECT_FLOAT_EQ(doc.m_centre.m_x, (c.min.m_x + c.max.m_x) / 2) << c.name;
        EXPECT_FLOAT_EQ(doc.m_fThickness, c.thickness) << c.name;
        EXPECT_TRUE(platform.m_messages.empty()) << c.name;
        EXPECT_EQ(platform.m_progressOpened, 1) << c.name;
        EXPECT_EQ(platform.m_progressClosed, 1) << c.name;
        ASSERT_FALSE(platform.m_positions.empty());
        EXPECT_EQ(platform.m_positions.front(), 4);
        EXPECT_EQ(platform.m_progressTexts, std::vector<std::string>{"loading" + path + "..."});
    }
}

TEST(SslMeasure, FailuresAskAbortRetryIgnoreAndZeroTheBox)
{
    SetLanguage(Language::English);
    CTempDir dir;
    const std::string bad = WriteFile(dir, "bad.ssl", "Slize a b c Z 1 1 C END");
    {
        CScriptedPlatform platform;
        platform.Answer(MsgAnswer::Retry);   // tries the start of the file again
        platform.Answer(MsgAnswer::Ignore);
        CSslDataDoc doc;
        EXPECT_FALSE(doc.Measure(bad));
        const Shown fileError{"The file error.", "Error", MsgIcon::Question, MsgButtons::AbortRetryIgnore};
        EXPECT_EQ(Messages(platform), (std::vector<Shown>{fileError, fileError}));
        EXPECT_EQ(doc.m_box.m_ptMin, C3DPoint(0, 0, 0));
        EXPECT_EQ(doc.m_box.m_ptMax, C3DPoint(0, 0, 0));
        EXPECT_EQ(platform.m_progressOpened, platform.m_progressClosed);
    }
    {
        CScriptedPlatform platform;
        platform.Answer(MsgAnswer::Retry);
        CSslDataDoc doc;
        EXPECT_FALSE(doc.Measure(dir.File("missing.ssl")));
        const Shown openError{"Open file error", "Error", MsgIcon::Question, MsgButtons::AbortRetryIgnore};
        EXPECT_EQ(Messages(platform), (std::vector<Shown>{openError, openError}));   // then the default, Abort
    }
    {
        // Cancel ends the pass without a message.
        const std::string path = WriteFile(dir, "c.ssl", kHeader + std::string("Z 1 1 ") + kSquare + "Z 2 1 " + kSquare + "END");
        CScriptedPlatform platform;
        platform.CancelProgressAfter(3);
        CSslDataDoc doc;
        EXPECT_FALSE(doc.Measure(path));
        EXPECT_TRUE(platform.m_messages.empty());
        EXPECT_EQ(platform.m_positions.size(), 3u);
        EXPECT_EQ(platform.m_progressClosed, 1);
        EXPECT_EQ(doc.m_box.m_ptMax, C3DPoint(0, 0, 0));
    }
    ResetLanguage();
}

TEST(SslVerify, VerdictsAndTheMessagesTheUserSees)
{
    CTempDir dir;
    enum Msg { Right, FormatError, EmptyFile, HeadError, EmptyContour, EmptySlice, EmptyCycle, FewNodes, NegHeight };
    struct Case {
        const char* name;
        std::string text;   // the whole file
        MsgAnswer answer;
        bool result;
        std::vector<Msg> messages;
    };
    const std::string head = kHeader;
    const std::vector<Case> cases = {
        {"sound", head + "Z 1 0.01\n" + kSquare + "Z 2 0.01\n" + kSquare + "END", MsgAnswer::Ok, true, {Right}},
        {"header and END only", head + "END", MsgAnswer::Ok, false, {EmptyFile, FormatError}},
        {"no Slice keyword", "Slices a b c Z 1 1 " + kSquare + "END", MsgAnswer::Ok, false, {FormatError}},
        {"header cut short", "Slice a b", MsgAnswer::Ok, false, {FormatError}},
        {"nothing after the header", "Slice a b c", MsgAnswer::Ok, false, {FormatError, FormatError}},
        {"C after the header", head + "C Z 1 1 " + kSquare + "END", MsgAnswer::Ok, false, {FormatError, FormatError}},
        {"four header tokens", "Slice a b c d Z 1 1 " + kSquare + "END", MsgAnswer::Ok, false,
         {HeadError, FormatError}},
        {"empty first layer, answered Yes", head + "Z 1 0.01 C\nZ 2 0.01\n" + kSquare + "END", MsgAnswer::Yes, true,
         {EmptyContour, EmptySlice, EmptyCycle}},
        {"empty first layer, answered No", head + "Z 1 0.01 C\nZ 2 0.01\n" + kSquare + "END", MsgAnswer::No, false,
         {EmptyContour, EmptySlice, EmptyCycle}},
        {"empty contour in the last layer", head + "Z 1 0.01 C " + kSquare + "END", MsgAnswer::Yes, true,
         {EmptyContour, EmptyCycle}},
        {"short contour", head + "Z 1 0.01 0 0 1 1 C END", MsgAnswer::Ok, false, {FewNodes, FormatError}},
        {"negative height", head + "Z -1 0.01 " + kSquare + "END", MsgAnswer::Ok, false, {NegHeight, FormatError}},
        {"ends without END", head + "Z 1 0.01 " + kSquare + "Z 2 0.01 " + kSquare, MsgAnswer::Ok, false,
         {FormatError}},
        {"token too long", head + "Z 1 0.01 " + kSquare + "Z 2 0.01 0 0 " + std::string(256, '7') + " 0 1 1 C END",
         MsgAnswer::Ok, false, {FormatError}},
    };
    for (bool chinese : {false, true}) {
        SetLanguage(chinese ? Language::Chinese : Language::English);
        const std::string error = chinese ? "错误" : "Error", prompt = chinese ? "提示" : "Prompt";
        const std::vector<Shown> shown = {
            {chinese ? "文件格式正确" : "The right file format ", "OK", MsgIcon::Information, MsgButtons::Ok},
            {chinese ? "文件格式错误" : "The file format error", error, MsgIcon::Information, MsgButtons::Ok},
            {chinese ? "空文件!" : "Empty file!", error, MsgIcon::Information, MsgButtons::Ok},
            {chinese ? "文件头部格式错误!" : "The file head information is error!", error, MsgIcon::Information,
             MsgButtons::Ok},
            {chinese ? "出现空环!" : "Have empty contour!", error, MsgIcon::Information, MsgButtons::Ok},
            {chinese ? "空切片：切片上无数据" : "Have empty slice, no slice data", error, MsgIcon::Information,
             MsgButtons::Ok},
            {chinese ? "文件数据中有空环，可能会导致程序异常，是否继续?"
                     : "The file has empty cycle, the software maybe terminate, Continue?",
             prompt, MsgIcon::Warning, MsgButtons::YesNo},
            {Tr("SslFewNodes"), error, MsgIcon::Information, MsgButtons::Ok},
            {chinese ? "切片高度出现负值情况" : "The height of the slice is smaller than zero", error,
             MsgIcon::Information, MsgButtons::Ok},
        };
        for (const Case& c : cases) {
            const std::string path = WriteFile(dir, "v.ssl", c.text);
            CScriptedPlatform platform;
            platform.SetDefaultAnswer(c.answer);
            CSslDataDoc doc;
            EXPECT_EQ(doc.Verify(path), c.result) << c.name;
            std::vector<Shown> expected;
            for (Msg m : c.messages)
                expected.push_back(shown[m]);
            EXPECT_EQ(Messages(platform), expected) << c.name;
            EXPECT_EQ(platform.m_progressOpened, platform.m_progressClosed) << c.name;
        }
    }
    ResetLanguage();
}

TEST(SslVerify, CancelAndMissingFile)
{
    SetLanguage(Language::English);
    CTempDir dir;
    std::string text = kHeader;
    for (int i = 1; i <= 5; ++i)
        text += "Z " + std::to_string(i) + " 0.01 " + kSquare;
    const std::string path = WriteFile(dir, "v.ssl", text + "END");
    for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        CScriptedPlatform platform;
        platform.CancelProgressAfter(2);
        platform.Answer(answer);
        CSslDataDoc doc;
        EXPECT_EQ(doc.Verify(path), answer == MsgAnswer::Yes);
        EXPECT_EQ(platform.m_positions.size(), 2u);   // stopped after the second layer
        EXPECT_EQ(Messages(platform),
                  (std::vector<Shown>{{"Already terminate the file format verifying, Continue loading the file?",
                                       "Prompt", MsgIcon::Warning, MsgButtons::YesNo}}));
        EXPECT_EQ(platform.m_progressTexts,
                  std::vector<std::string>{" verify the file format of " + path + "..."});
    }
    CScriptedPlatform platform;
    CSslDataDoc doc;
    EXPECT_FALSE(doc.Verify(dir.File("missing.ssl")));
    EXPECT_EQ(Messages(platform),
              (std::vector<Shown>{{"Open file error", "Error", MsgIcon::Information, MsgButtons::Ok}}));
    ResetLanguage();
}

TEST(SslReading, LayerByLayerWithEmptyLayersAndAStop)
{
    CTempDir dir;
    CScriptedPlatform platform;
    const std::string path = WriteFile(dir, "r.ssl",
                                       kHeader + std::string("Z 1 0.01\n") + kSquare + "Z 2 0.01 C 0 0 1 1 C\nZ 3 0.02\n" +
                                           kSquare + "2 2 3 2 3 3 2 3 C\nEND");
    CSsl ssl;
    ASSERT_TRUE(ssl.Open(path));
    EXPECT_EQ(ssl.m_data.m_strFileName, path);
    EXPECT_TRUE(ssl.m_data.m_bShowSlice);
    ASSERT_EQ(ssl.m_data.m_nLayerCount, 3);
    CSslDataDoc& doc = ssl.m_data;
    EXPECT_EQ(doc.ReadNextLayer(*std::make_unique<PromptState>(PROMPT_ASK)), 0);   // not reading yet
    ASSERT_TRUE(doc.OpenReading());
    EXPECT_TRUE(doc.m_bReading);
    PromptState prompt = PROMPT_ASK;
    std::vector<int> results;
    for (int i = 0; i < 4; ++i) {
        doc.ClearLayers();
        results.push_back(doc.ReadNextLayer(prompt));
        if (results.back() == 1) {
            ASSERT_EQ(doc.m_layers.size(), 1u);
            EXPECT_FLOAT_EQ(doc.m_layers[0]->m_fHeight, 25.4f * (i + 1));
        } else {
            EXPECT_TRUE(doc.m_layers.empty());
        }
    }
    EXPECT_EQ(results, (std::vector<int>{1, 0, 1, 0}));
    // Two separate squares of the last layer: both outer contours, drawn in blue.
    doc.ClearLayers();
    ASSERT_TRUE(doc.OpenReading());   // back to the first layer
    ASSERT_EQ(doc.ReadNextLayer(prompt), 1);
    CRecordingSurface surface;
    ssl.Draw(surface, 800, 600, 1.0f, 0, 0);
    EXPECT_EQ(surface.m_ops.front().colour, MakeRgb(0, 0, 255));
    EXPECT_EQ(surface.CountOf(CRecordingSurface::Op::Line), 4);
    ssl.Close();
    EXPECT_FALSE(doc.m_bReading);
    EXPECT_FALSE(doc.m_bShowSlice);
    EXPECT_TRUE(doc.m_layers.empty());
    EXPECT_EQ(doc.m_nLayerCount, 0);
    EXPECT_TRUE(doc.m_strFileName.empty());
    EXPECT_TRUE(platform.m_messages.empty());

    // A hole that lies in no outer contour, answered No: the pass stops.
    const std::string orphan = WriteFile(dir, "o.ssl",
                                         kHeader + std::string("Z 1 0.01 0 0 50 0 50 50 0 50 C 40 10 70 10 70 20 40 20 C "
                                                               "60 12 65 12 65 18 60 18 C 90 90 100 90 100 100 90 100 C END"));
    platform.Answer(MsgAnswer::No);
    CSslDataDoc other;
    other.m_strFileName = orphan;
    ASSERT_TRUE(other.OpenReading());
    PromptState ask = PROMPT_ASK;
    EXPECT_EQ(other.ReadNextLayer(ask), -1);
    EXPECT_TRUE(other.m_layers.empty());
    EXPECT_EQ(ask, PROMPT_STOP);
}

TEST(SslReading, OpenReadingNeedsTheFirstLayerAfterThreeHeaderTokens)
{
    CTempDir dir;
    struct Case {
        std::string text;
        bool ok;
    };
    const Case cases[] = {
        {kHeader + std::string("Z 1 1 ") + kSquare + "END", true},
        {"Slice V0 SLICES() FILE(file 0,x) Z 1 1 " + kSquare + "END", false},   // four header tokens
        {"Slice a b", false},
    };
    for (const Case& c : cases) {
        CSslDataDoc doc;
        doc.m_strFileName = WriteFile(dir, "h.ssl", c.text);
        EXPECT_EQ(doc.OpenReading(), c.ok) << c.text;
        EXPECT_EQ(doc.m_bReading, c.ok);
    }
    CSslDataDoc missing;
    missing.m_strFileName = dir.File("none.ssl");
    CScriptedPlatform platform;
    EXPECT_FALSE(missing.OpenReading());
    EXPECT_TRUE(platform.m_messages.empty());
}

TEST(SslWriteMoved, CopyMovesToTheOriginAndReadsBack)
{
    CTempDir dir;
    CScriptedPlatform platform;
    SetLanguage(Language::English);
    // Box minimum (10, 5, 0.1) in inches; the third layer has no usable contour
    // and is left out, the fourth follows it into the copy.
    const std::string source = WriteFile(dir, "my part.ssl",
                                         kHeader + std::string("Z 0.1 0.002\n12 7 14 7 14 9 12 9 C\n") +
                                             "Z 0.3 0.002\n10 5 11 5 11 6 C\nZ 0.5 0.002\n11 6 12 7 C\n" +
                                             "Z 0.6 0.002\n10 5 11 5 11 6 C\nEND");
    CSsl ssl;
    ASSERT_TRUE(ssl.Open(source));
    EXPECT_FLOAT_EQ(ssl.m_data.m_fThickness, 0.002f * 25.4f);
    const std::string copy = dir.File("moved.ssl");
    ASSERT_TRUE(ssl.SaveMoved(copy));
    EXPECT_FALSE(ssl.m_data.m_bReading);

    const std::string text = ReadFile(copy);
    EXPECT_EQ(text.rfind("Slice\tV0\nSLICES()\nFILE(file0,", 0), 0u);
    // Layer 1 moved by (10, 5, 0.1); layer 3 is left out.
    EXPECT_NE(text.find("\nZ 0.000000 0.002000\n2.000000 2.000000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nZ 0.200000 0.002000\n0.000000 0.000000\n1.000000 0.000000\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 6), "\nC\nEND");
    EXPECT_NE(text.find("\nC\nZ 0.500000 0.002000\n0.000000 0.000000\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), 'Z'), 3);

    CSsl again;
    ASSERT_TRUE(again.Open(copy));
    EXPECT_EQ(again.m_data.m_nLayerCount, 3);
    EXPECT_EQ(again.m_data.m_box.m_ptMin, C3DPoint(0, 0, 0));
    EXPECT_FLOAT_EQ(again.m_data.m_fThickness, 0.002f * 25.4f);
    EXPECT_TRUE(again.m_data.Verify(copy));
    EXPECT_EQ(platform.m_messages.back().text, "The right file format ");
    ASSERT_TRUE(again.m_data.OpenReading());
    PromptState prompt = PROMPT_ASK;
    EXPECT_EQ(again.m_data.ReadNextLayer(prompt), 1);
    EXPECT_EQ(again.m_data.m_layers[0]->m_loops[0]->m_points[0], C2DPoint(2 * 25.4f, 2 * 25.4f));
    again.Close();

    // An unwritable target: told, nothing left behind, and an existing file stays whole.
    const std::size_t before = platform.m_messages.size();
    EXPECT_FALSE(ssl.SaveMoved(dir.File("no/such/dir/x.ssl")));
    ASSERT_EQ(platform.m_messages.size(), before + 1);
    EXPECT_EQ(platform.m_messages.back().text, "Open file error");
    ssl.Close();
    EXPECT_FALSE(ssl.SaveMoved(copy));   // nothing open: no reading, no write
    EXPECT_EQ(ReadFile(copy), text);
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2);
    ResetLanguage();
}
