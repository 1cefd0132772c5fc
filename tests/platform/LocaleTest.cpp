#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qm {
namespace {

TEST(Locale, LocaleNamesGiveTheUsualLanguageIds) {
    EXPECT_EQ(LanguageIdFromLocaleName("ja_JP.UTF-8"), 0x0411);
    EXPECT_EQ(LanguageIdFromLocaleName("ko_KR.UTF-8"), 0x0412);
    EXPECT_EQ(LanguageIdFromLocaleName("zh_CN.UTF-8"), 0x0804);
    EXPECT_EQ(LanguageIdFromLocaleName("zh_TW.Big5"), 0x0404);
    EXPECT_EQ(LanguageIdFromLocaleName("ZH"), 0x0804);
    EXPECT_EQ(LanguageIdFromLocaleName("de_DE@euro"), 0x0407);
    EXPECT_EQ(LanguageIdFromLocaleName("en_GB.UTF-8"), 0x0409);
    EXPECT_EQ(LanguageIdFromLocaleName("C"), 0x0409);
    EXPECT_EQ(LanguageIdFromLocaleName("POSIX"), 0x0409);
    EXPECT_EQ(LanguageIdFromLocaleName(""), 0x0409);
    EXPECT_EQ(LanguageIdFromLocaleName("jav_ID"), 0x0409); // not Japanese
    // Masked with 0x3ff every Chinese form is the same primary language.
    EXPECT_EQ(LanguageIdFromLocaleName("zh_HK") & 0x3ff, 0x04);
}

TEST(Locale, LcAllThenLcMessagesThenLang) {
    ::setenv("LANG", "ko_KR.UTF-8", 1);
    ::setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
    ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
    EXPECT_EQ(UserDefaultLanguageId(), 0x0804);
    ::setenv("LC_ALL", "", 1); // empty counts as unset
    EXPECT_EQ(UserDefaultLanguageId(), 0x0411);
    ::unsetenv("LC_MESSAGES");
    EXPECT_EQ(UserDefaultLanguageId(), 0x0412);
    ::unsetenv("LANG");
    ::unsetenv("LC_ALL");
    EXPECT_EQ(UserDefaultLanguageId(), 0x0409);
}

} // namespace
} // namespace qm
