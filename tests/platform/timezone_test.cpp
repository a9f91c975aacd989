// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/timezone.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
const char* zoneName = nullptr;  // nullptr: the zone cannot be read

bool FakeZoneName(std::string& name)
{
    if (!zoneName)
        return false;
    name = zoneName;
    return true;
}

class TimeZone : public testing::Test {
protected:
    void TearDown() override { ReadStandardZoneName = SystemStandardZoneName; }
};
}

TEST_F(TimeZone, JapaneseExactlyWhenTheNameHoldsTokyoInShiftJis)
{
    const struct {
        const char* name;
        bool japanese;
    } cases[] = {
        {"\x93\x8C\x8B\x9E (\x95W\x8F\x80\x8E\x9E)", true},  // 東京 (標準時)
        {"(UTC+09:00) \x93\x8C\x8B\x9E", true},
        {"\xE6\x9D\xB1\xE4\xBA\xAC", false},  // the same name in UTF-8
        {"Tokyo Standard Time", false},
        {"", false},
        {"\x93\x8C \x8B\x9E", false},
        {"\x93\x8C\x8B", false},
    };
    ReadStandardZoneName = FakeZoneName;
    for (const auto& c : cases) {
        zoneName = c.name;
        EXPECT_EQ(IsJapaneseZone(), c.japanese) << c.name;
    }
}

TEST_F(TimeZone, AZoneThatCannotBeReadIsNotJapanese)
{
    ReadStandardZoneName = [](std::string& name) {
        name = "\x93\x8C\x8B\x9E";
        return false;
    };
    EXPECT_FALSE(IsJapaneseZone());
}

TEST_F(TimeZone, TheSystemNameFollowsTheCurrentZone)
{
    setenv("LANG", "C", 1);
    const struct {
        const char* tz;
        const char* name;
    } cases[] = {{"JST-9", "JST"}, {"<+0930>-9:30", "+0930"}, {"CET-1CEST", "CET"}};
    for (const auto& c : cases) {
        setenv("TZ", c.tz, 1);
        std::string name;
        EXPECT_TRUE(SystemStandardZoneName(name));
        EXPECT_EQ(name, c.name) << c.tz;
    }
    EXPECT_FALSE(IsJapaneseZone());
}
