#include "io/MemoryStream.h"
#include "layer/SslLayer.h"
#include "platform/Language.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstring>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
std::string TextOf(const CMemoryStream& s)
{
    return std::string(s.Bytes().begin(), s.Bytes().end());
}

std::vector<std::string> MessageTexts(const CScriptedPlatform& p)
{
    std::vector<std::string> out;
    for (const auto& m : p.m_messages)
        out.push_back(m.text);
    return out;
}

std::vector<std::string> Translated(const std::vector<const char*>& keys)
{
    std::vector<std::string> out;
    for (const char* k : keys)
        out.push_back(Tr(k));
    return out;
}
} // namespace

// Each case is the text after a layer's "Z": the checker's code and messages,
// then the reader's code and what it kept.
TEST(SslLayer, CheckAndReadAgreeOnEveryLayerShape)
{
    const std::string longToken(300, '1');
    struct Case {
        const char* name;
        std::string text;
        int verifyCode;
        std::vector<const char*> messages;
        int readCode;
        std::vector<int> pointCounts;   // contours kept by the reader
    };
    const std::vector<Case> cases = {
        {"sound, last layer", "1 0.01 0 0 1 0 1 1 C END", 2, {}, 2, {3}},
        {"sound, another follows", "1 0.01 0 0 1 0 1 1 C Z", 1, {}, 1, {3}},
        {"last contour closed by Z", "1 0.01 0 0 1 0 1 1 Z", 1, {}, 1, {3}},
        {"last contour closed by END", "1 0.01 0 0 1 0 1 1 0 2 END", 2, {}, 2, {4}},
        {"two points only", "1 0.01 0 0 1 0 C END", 9, {"SslFewNodes"}, 4, {}},
        {"two points closed by Z", "1 0.01 0 0 1 0 Z", 9, {"SslFewNodes"}, 3, {}},
        {"empty first contour, then a sound one", "1 0.01 C 0 0 1 0 1 1 C Z", 3, {"SslEmptyContour"}, 1, {3}},
        {"empty contour between two sound ones", "1 0.01 0 0 1 0 1 1 C C 2 2 3 2 3 3 C Z", 3,
         {"SslEmptyContourData"}, 1, {3, 3}},
        {"the same before END", "1 0.01 0 0 1 0 1 1 C C 2 2 3 2 3 3 C END", 4, {"SslEmptyContourData"}, 2, {3, 3}},
        {"sound contour, then a short one", "1 0.01 0 0 1 0 1 1 C 5 5 6 6 C Z", 9, {"SslFewNodes"}, 1, {3}},
        {"sound contour, then an empty one closing the layer", "1 0.01 0 0 1 0 1 1 C 2 2 Z", 9, {"SslFewNodes"}, 1,
         {3}},
        {"only an empty contour", "1 0.01 C Z", 5, {"SslEmptyContour", "SslEmptySlice"}, 3, {}},
        {"no contour before Z", "1 0.01 Z", 5, {"SslEmptyContour", "SslEmptySlice"}, 3, {}},
        {"no contour before END", "1 0.01 END", 6, {"SslEmptyContour", "SslEmptySlice"}, 4, {}},
        {"negative height", "-1 -5 0 0 1 0 1 1 C END", 7, {"SslNegativeHeight"}, 2, {3}},
        {"negative thickness", "1 -0.01 0 0 1 0 1 1 C END", 8, {"SslNegativeThickness"}, 2, {3}},
        {"negative coordinate inside a contour", "1 0.01 0 0 1 -1 1 1 C END", 9, {"SslNegativeCoordinate"}, 2, {3}},
        {"negative coordinate in a later contour", "1 0.01 0 0 1 0 1 1 C 2 2 3 -2 3 3 C END", 9,
         {"SslNegativeCoordinate"}, 2, {3, 3}},
        {"negative first x of a later contour", "1 0.01 0 0 1 0 1 1 C -2 2 3 2 3 3 C END", 9, {}, 2, {3, 3}},
        // The reader goes on with whatever numbers follow; the checker refuses the layer.
        {"unreadable height", "high 0.01 0 0 1 0 1 1 C END", 9, {}, 2, {2}},
        {"text ends without END", "1 0.01 0 0 1 0 1 1 C", 9, {}, 2, {3}},
        {"text ends inside a contour", "1 0.01 0 0 1 0 1", 9, {}, 4, {}},
        {"token too long", "1 0.01 0 0 1 0 " + longToken + " 1 1 1 C END", 9, {}, 2, {3}},
        {"word where a point should be", "1 0.01 0 0 1 0 x1 1 1 C END", 9, {}, 2, {3}},
    };
    for (bool chinese : {false, true}) {
        SetLanguage(chinese ? Language::Chinese : Language::English);
        for (const Case& c : cases) {
            {
                CScriptedPlatform platform;
                CSslTokenReader text;
                text.OpenText(c.text);
                CSlice scratch;
                EXPECT_EQ(VerifySslLayer(scratch, text), c.verifyCode) << c.name;
                EXPECT_EQ(MessageTexts(platform), Translated(c.messages)) << c.name;
                for (const auto& m : platform.m_messages) {
                    EXPECT_EQ(m.caption, chinese ? "错误" : "Error");
                    EXPECT_EQ(m.icon, MsgIcon::Information);
                    EXPECT_EQ(m.buttons, MsgButtons::Ok);
                }
                EXPECT_TRUE(scratch.m_loops.empty()) << c.name;
            }
            {
                CScriptedPlatform platform;
                CSslTokenReader text;
                text.OpenText(c.text);
                CSlice slice;
                PromptState prompt = PROMPT_ASK;
                EXPECT_EQ(ReadSslLayer(slice, text, prompt), c.readCode) << c.name;
                std::vector<int> counts;
                for (const auto& loop : slice.m_loops)
                    counts.push_back(loop->m_nPointCount);
                EXPECT_EQ(counts, c.pointCounts) << c.name;
                EXPECT_EQ(slice.m_nLoopCount, static_cast<int>(c.pointCounts.size())) << c.name;
                EXPECT_TRUE(platform.m_messages.empty()) << c.name;   // the reader never tells
            }
        }
    }
    ResetLanguage();
}

TEST(SslLayer, MessagesInBothLanguages)
{
    const struct {
        const char* key;
        const char* english;
        const char* chinese;
    } texts[] = {
        {"SslNegativeHeight", "The height of the slice is smaller than zero", "切片高度出现负值情况"},
        {"SslNegativeThickness", "The thickness of the slice is smaller than zero", "切片厚度出现负值情况"},
        {"SslEmptySlice", "Have empty slice, no slice data", "空切片：切片上无数据"},
        {"SslEmptyContourData", "Have empty contour, no contour data", "空环：环上无数据!"},
        {"SslEmptyContour", "Have empty contour!", "出现空环!"},
        {"SslFewNodes", "The topology structure have error, the node number of the contour is less than three!",
         "拓扑结构错误：环内节点数小于3!"},
        {"SslNegativeCoordinate", "Have negative coordinate value.", "出现负坐标值!"},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(TrIn(t.key, false), t.english);
        EXPECT_EQ(TrIn(t.key, true), t.chinese);
    }
}

TEST(SslLayer, ReadingKeepsInchesAsMillimetresAndBuildsTopology)
{
    CScriptedPlatform platform;
    CSslTokenReader text;
    // Two nested squares; the layer ends at the next "Z", which is consumed.
    text.OpenText("1 0.01 0 0 2 0 2 2 0 2 C 0.5 0.5 1.5 0.5 1.5 1.5 0.5 1.5 Z 7");
    CSlice slice;
    PromptState prompt = PROMPT_ASK;
    ASSERT_EQ(ReadSslLayer(slice, text, prompt), 1);
    EXPECT_FLOAT_EQ(slice.m_fHeight, 25.4f);
    EXPECT_FLOAT_EQ(slice.m_fThickness, 0.254f);
    ASSERT_EQ(slice.m_loops.size(), 2u);
    EXPECT_EQ(slice.m_loops[0]->m_points[1], C2DPoint(2 * 25.4f, 0));
    EXPECT_EQ(slice.m_loops[0]->m_nType, LOOP_OUTER);
    EXPECT_EQ(slice.m_loops[1]->m_nType, LOOP_INNER);
    EXPECT_EQ(slice.m_loops[1]->m_related[0], slice.m_loops[0].get());
    float next = 0;
    EXPECT_TRUE(text.NextNumber(next));
    EXPECT_EQ(next, 7.0f);
}

TEST(SslLayer, TopologyAnswersBecomeLayerCodes)
{
    // A bar sticking out of the square at the origin is a hole of it; a small
    // contour inside the bar's outer end is a hole of the bar, which no outer
    // contour encloses. The far square spans the layer box.
    const std::string text = "1 0.01 0 0 50 0 50 50 0 50 C 40 10 70 10 70 20 40 20 C 60 12 65 12 65 18 60 18 C "
                             "90 90 100 90 100 100 90 100 C END";
    struct Case {
        MsgAnswer answer;
        int code;
        PromptState state;
    };
    for (const Case c : {Case{MsgAnswer::No, -1, PROMPT_STOP}, Case{MsgAnswer::Yes, 0, PROMPT_GO_ON}}) {
        CScriptedPlatform platform;
        platform.Answer(c.answer);
        CSslTokenReader reader;
        reader.OpenText(text);
        CSlice slice;
        PromptState prompt = PROMPT_ASK;
        EXPECT_EQ(ReadSslLayer(slice, reader, prompt), c.code);
        EXPECT_EQ(prompt, c.state);
    }
}

TEST(SslLayer, WritesLayerAndContoursInInches)
{
    CSlice slice;
    slice.m_fHeight = 25.4f;
    slice.m_fThickness = 0.254f;
    CSliceLoop& loop = slice.AddLoop();
    loop.m_points = {{0, 0}, {25.4f, 0}, {25.4f, -12.7f}};
    slice.AddLoop();   // no points: writes nothing, not even "C"

    CMemoryStream out;
    out.WriteText("Slice a b c");
    out.Seek(0);   // the layer is appended at the end whatever the position
    ASSERT_TRUE(WriteSslLayer(slice, &out));
    EXPECT_EQ(TextOf(out), "Slice a b c\nZ 1.000000 0.010000\n0.000000 0.000000\n1.000000 0.000000\n"
                           "1.000000 -0.500000\nC");
    EXPECT_FALSE(WriteSslLayer(slice, nullptr));
    CMemoryStream empty;
    EXPECT_FALSE(WriteSslContour(*slice.m_loops[1], empty));
    EXPECT_EQ(empty.Size(), 0);
}

TEST(SslTokens, NumbersTakeTheWholeTokenInCSyntax)
{
    struct Case {
        const char* token;
        bool ok;
        float value;
    };
    const Case cases[] = {
        {"1.5", true, 1.5f},   {"-2e3", true, -2000.0f}, {"+4", true, 4.0f},      {".25", true, 0.25f},
        {"1E-2", true, 0.01f}, {"1e50", true, HUGE_VALF}, {"-1e400", true, -HUGE_VALF}, {"1e-50", true, 0.0f},
        {"abc", false, 0},     {"1.5x", false, 0},       {"", false, 0},          {"+", false, 0},
        {"+-1", false, 0},     {"1,5", false, 0},        {"C", false, 0},
    };
    for (const Case& c : cases) {
        float v = -7.0f;
        EXPECT_EQ(ParseSslNumber(c.token, v), c.ok) << c.token;
        if (c.ok)
            EXPECT_EQ(v, c.value) << c.token;
    }
    float v = 0;
    EXPECT_TRUE(ParseSslNumber("nan", v));
    EXPECT_TRUE(std::isnan(v));
}

TEST(SslTokens, PlainDecimalsRoundExactlyAsTheGeneralParser)
{
    // Plain decimals take a shorter way; they must round to the same float,
    // halfway cases included (16777217 lies between two floats).
    std::vector<std::string> tokens = {"16777217", "16777219", "0.1", "-0.000001", "3.4028235e38", "123456789012345",
                                       "1234567890123456", "0.30000001192092896", "-0", "5.", ".5"};
    std::uint64_t state = 88172645463325252ull;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string t = next() % 2 ? "-" : "";
        const int whole = static_cast<int>(next() % 10), frac = static_cast<int>(next() % 10);
        for (int k = 0; k < whole; ++k)
            t += static_cast<char>('0' + next() % 10);
        t += '.';
        for (int k = 0; k < frac; ++k)
            t += static_cast<char>('0' + next() % 10);
        tokens.push_back(t);
    }
    int compared = 0;
    for (const std::string& t : tokens) {
        float expected = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), expected);
        float v = 0;
        const bool ok = ParseSslNumber(t, v);
        ASSERT_EQ(ok, r.ec == std::errc() && r.ptr == t.data() + t.size()) << t;
        if (ok) {
            ASSERT_EQ(std::memcmp(&v, &expected, sizeof v), 0) << t;
            ++compared;
        }
    }
    EXPECT_GT(compared, 190000);
}

TEST(SslTokens, LongTokensAreRefusedWholeAndKeywordsStayAfterAMissingNumber)
{
    CSslTokenReader text;
    const std::string exact(255, 'a');
    text.OpenText(exact + "\t" + std::string(256, 'b') + "\r\nC 1");
    std::string_view w;
    ASSERT_EQ(text.Next(w), CSslTokenReader::Token::Word);
    EXPECT_EQ(w, exact);
    EXPECT_EQ(text.Next(w), CSslTokenReader::Token::TooLong);
    float f = 0;
    EXPECT_FALSE(text.NextNumber(f));   // "C" is no number and stays
    ASSERT_EQ(text.Next(w), CSslTokenReader::Token::Word);
    EXPECT_EQ(w, "C");
    EXPECT_TRUE(text.NextNumber(f));
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(text.Next(w), CSslTokenReader::Token::End);
    EXPECT_EQ(text.Next(w), CSslTokenReader::Token::End);
    EXPECT_EQ(text.Tell(), text.Size());
}

TEST(SslTokens, FileTokensAcrossBufferRefills)
{
    CTempDir dir;
    const std::string path = dir.File("many.ssl");
    {
        std::ofstream f(path, std::ios::binary);
        for (int i = 0; i < 100000; ++i)
            f << i << (i % 7 ? " " : "\n");
        f << std::string(100000, 'x') << " end";
    }
    CSslTokenReader text;
    ASSERT_TRUE(text.OpenFile(path));
    for (int i = 0; i < 100000; ++i) {
        float v = 0;
        ASSERT_TRUE(text.NextNumber(v)) << i;
        ASSERT_EQ(v, static_cast<float>(i));
    }
    std::string_view w;
    EXPECT_EQ(text.Next(w), CSslTokenReader::Token::TooLong);
    ASSERT_EQ(text.Next(w), CSslTokenReader::Token::Word);
    EXPECT_EQ(w, "end");
    EXPECT_TRUE(text.Rewind());
    ASSERT_EQ(text.Next(w), CSslTokenReader::Token::Word);
    EXPECT_EQ(w, "0");
    EXPECT_FALSE(CSslTokenReader().OpenFile(dir.File("missing.ssl")));
}

// A locale with a decimal comma, built once into the build tree when the
// system lacks one.
class GermanLocale {
public:
    GermanLocale()
    {
        m_previous = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
            return;
        const std::string dir = std::string(VEMO_BINARY_DIR) + "/test-locales";
        const std::string cmd = "test -d " + dir + "/de_DE.UTF-8 || { mkdir -p " + dir +
                                " && localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8; } >/dev/null 2>&1";
        if (std::system(cmd.c_str()) == 0) {
            ::setenv("LOCPATH", dir.c_str(), 1);
            std::setlocale(LC_ALL, "de_DE.UTF-8");
        }
    }
    ~GermanLocale()
    {
        std::setlocale(LC_ALL, m_previous.c_str());
        ::unsetenv("LOCPATH");
    }
    bool Active() const { return std::localeconv()->decimal_point[0] == ','; }

private:
    std::string m_previous;
};

TEST(SslTokens, NumbersReadAndWriteTheSameUnderADecimalCommaLocale)
{
    GermanLocale german;
    if (!german.Active())
        GTEST_SKIP() << "no locale with a decimal comma can be made here";
    float v = 0;
    ASSERT_TRUE(ParseSslNumber("1.5", v));
    EXPECT_EQ(v, 1.5f);
    EXPECT_FALSE(ParseSslNumber("1,5", v));
    CSlice slice;
    slice.m_fHeight = 1.5f * 25.4f;
    slice.m_fThickness = 0.254f;
    CMemoryStream out;
    ASSERT_TRUE(WriteSslLayer(slice, &out));
    EXPECT_EQ(TextOf(out), "\nZ 1.500000 0.010000");
}
