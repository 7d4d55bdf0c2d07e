#include "cli/CliDataDoc.h"
#include "cli/CliHeaderText.h"
#include "io/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>

TEST(CliHeaderLine, ParsesKeywordsParametersAndComments)
{
    struct Case {
        const char* text;
        HeaderLine result;
        const char* keyword;
        const char* parameter;
    } cases[] = {
        {"$$UNITS/00000000.010000", HeaderLine::KeywordWithParameter, "UNITS", "00000000.010000"},
        {"  $$HEADEREND\r", HeaderLine::Keyword, "HEADEREND", ""},
        {"$$$LABEL/1,part1", HeaderLine::KeywordWithParameter, "LABEL", "1,part1"},
        {"$$/x", HeaderLine::Keyword, "/x", ""},   // no "/" after the first character
        {"UNITS/1", HeaderLine::Nothing, "", ""},
        {"   ", HeaderLine::Nothing, "", ""},
        {"$$UNITS/0.5//mm per unit//", HeaderLine::KeywordWithParameter, "UNITS", "0.5"},
        {"//only a comment//", HeaderLine::Nothing, "", ""},
        {"$$UNITS/0.5//open", HeaderLine::CommentOpen, "", ""},
        {"///", HeaderLine::CommentOpen, "", ""},   // the closing mark may not overlap the opening one
    };
    for (const Case& c : cases) {
        std::string keyword, parameter;
        EXPECT_EQ(ParseHeaderLine(c.text, keyword, parameter), c.result) << c.text;
        EXPECT_EQ(keyword, c.keyword) << c.text;
        EXPECT_EQ(parameter, c.parameter) << c.text;
    }
}

namespace {
struct HeaderResult {
    bool ended;
    std::int64_t position;   // stream position after the header
    CCliDataDoc doc;
};

void ReadFull(const std::string& text, HeaderResult& r)
{
    CMemoryStream s(text.data(), text.size());
    r.ended = r.doc.ReadHeader(s, CCliDataDoc::HeaderUse::Full);
    r.position = s.Tell();
}
} // namespace

TEST(CliHeader, AppliesKeywordsAsWritten)
{
    HeaderResult r;
    ReadFull("$$HEADERSTART\r\n$$ASCII\r\n$$UNITS/00000000.005000 // file units // \r\n"
             "$$VERSION/200\n$$DATE/20240702\n// a comment with spaces // $$ALIGN\n$$LABEL/7,part\n"
             "$$DIMENSION/1,2,3,4,5,6\n$$LAYERS/000082\n$$USERDATA/x\n$$HEADEREND",
             r);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.doc.m_nFormat, 2);
    EXPECT_FLOAT_EQ(r.doc.m_fUnits, 0.005f);
    EXPECT_EQ(r.doc.m_nVersion, 200);
    EXPECT_EQ(r.doc.m_nDate, 20240702);
    EXPECT_TRUE(r.doc.m_bAlign);
    EXPECT_EQ(r.doc.m_nLabel, 1);
    EXPECT_EQ(r.doc.m_nLayers, 82);
    // The dimension is taken as written, whatever the units.
    EXPECT_EQ(r.doc.m_box.m_ptMin, C3DPoint(1, 2, 3));
    EXPECT_EQ(r.doc.m_box.m_ptMax, C3DPoint(4, 5, 6));
}

TEST(CliHeader, EndsRightAfterHeaderEndAndOnlyThere)
{
    struct Case {
        std::string text;
        bool ended;
        std::int64_t position;
    } cases[] = {
        // The first command follows "$$HEADEREND" directly: its bytes 0x80 0x00 stay unread.
        {std::string("$$HEADERSTART\n$$HEADEREND\x80", 26) + '\0', true, 25},
        {"$$HEADERSTART\n$$HEADEREND\n", true, 25},
        // A header that never ends stops at the end of the file.
        {"$$HEADERSTART\n$$UNITS/1\n$$HEADERE", false, 33},
        {"", false, 0},
        // An unclosed comment swallows the end mark: there is no header end.
        {"$$HEADERSTART // $$HEADEREND ", false, 29},
    };
    for (const Case& c : cases) {
        HeaderResult r;
        ReadFull(c.text, r);
        EXPECT_EQ(r.ended, c.ended) << c.text;
        EXPECT_EQ(r.position, c.position) << c.text;
    }
}

TEST(CliHeader, LaterReadingsKeepTheMeasuredCountAndBox)
{
    const std::string text = "$$HEADERSTART\n$$UNITS/0.5\n$$DIMENSION/0,0,0,1,1,1\n$$LAYERS/10\n$$HEADEREND";
    CMemoryStream s(text.data(), text.size());
    CCliDataDoc doc;
    doc.m_nLayers = 3;
    doc.m_box.m_ptMax = C3DPoint(50, 60, 70);
    ASSERT_TRUE(doc.ReadHeader(s, CCliDataDoc::HeaderUse::Positioning));
    EXPECT_EQ(doc.m_nLayers, 3);
    EXPECT_EQ(doc.m_box.m_ptMax, C3DPoint(50, 60, 70));
    EXPECT_EQ(doc.m_fUnits, 0.5f);
}

TEST(CliHeader, LongUnclosedCommentIsReadInLinearTimeAndBoundedMemory)
{
    // 4 MB of comment words: a reader that re-parses everything it has
    // collected at every token would take hours here.
    std::string text = "$$HEADERSTART\n$$UNITS/2 // ";
    text.reserve(4u << 20);
    while (text.size() < (4u << 20))
        text += "word ";
    text += "// $$LAYERS/5 $$HEADEREND";
    HeaderResult r;
    ReadFull(text, r);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.doc.m_fUnits, 2.0f);
    EXPECT_EQ(r.doc.m_nLayers, 5);
}

TEST(CliHeader, LeadingNumbersReadLikeTheCLibrary)
{
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("00000000.010000"), 0.01);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("-0000069.945000"), -69.945);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(" +2.5mm"), 2.5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("mm"), 0.0);
    EXPECT_EQ(ParseLeadingInteger("000082"), 82);
    EXPECT_EQ(ParseLeadingInteger("-12abc"), -12);
    EXPECT_EQ(ParseLeadingInteger("x"), 0);
}
