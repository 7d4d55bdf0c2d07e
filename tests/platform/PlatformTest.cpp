#include "platform/Language.h"
#include "platform/Platform.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Texts, SharedTextsInBothLanguages)
{
    SetLanguage(Language::English);
    EXPECT_EQ(Tr(5002), "Error");
    EXPECT_EQ(Tr(61450), "The right file format ");
    SetLanguage(Language::Chinese);
    EXPECT_EQ(Tr(5002), "错误");
    EXPECT_EQ(Tr(5003), "打开文件出错!");
    EXPECT_EQ(Tr("AppTitle"), "Vemo");   // one language only: shown under both
    ResetLanguage();
}

TEST(Language, FollowsVemoLangThenLocale)
{
    ResetLanguage();
    ::setenv("VEMO_LANG", "zh", 1);
    EXPECT_TRUE(IsChinese());
    ::setenv("VEMO_LANG", "en", 1);
    ::setenv("LANG", "zh_CN.UTF-8", 1);
    EXPECT_FALSE(IsChinese());
    ::unsetenv("VEMO_LANG");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    EXPECT_TRUE(IsChinese());
    ::setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_FALSE(IsChinese());
}

TEST(ScriptedPlatform, RecordsMessagesAndAnswersFromScript)
{
    CScriptedPlatform platform;
    platform.Answer(MsgAnswer::Yes);
    EXPECT_EQ(ShowMessage("Go on?", "Prompt", MsgIcon::Warning, MsgButtons::YesNo), MsgAnswer::Yes);
    // Script exhausted: the default button answers.
    EXPECT_EQ(ShowMessage("Again?", "", MsgIcon::Warning, MsgButtons::YesNo), MsgAnswer::No);
    ASSERT_EQ(platform.m_messages.size(), 2u);
    EXPECT_EQ(platform.m_messages[1].caption, "Vemo");
    platform.CancelProgressAfter(2);
    Progress().OpenProgress();
    Progress().SetPosition(10);
    EXPECT_FALSE(Progress().m_bCancelRequested);
    Progress().SetPosition(20);
    EXPECT_TRUE(Progress().m_bCancelRequested);
}
