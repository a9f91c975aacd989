// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux meaning of a Japanese system set to Tokyo: the zone from TZ, /etc/localtime or
// /etc/timezone, and the language of the locale variables.
#include "platform/japanesesystem.h"
#include "platform/timezone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A zoneinfo folder and system files of the test's own.
class ZoneFiles : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("phonoduct-zones-" + std::to_string(getpid()));
        fs::create_directories(root / "zoneinfo/Asia");
        fs::create_directories(root / "zoneinfo/Europe");
        Write("zoneinfo/Asia/Tokyo", "TZif2 Tokyo");
        Write("zoneinfo/Europe/Berlin", "TZif2 Berlin");
        fs::create_symlink("Asia/Tokyo", root / "zoneinfo/Japan");
    }
    void TearDown() override { fs::remove_all(root); }

    void Write(const std::string& name, const std::string& text)
    {
        std::ofstream(root / name, std::ios::binary) << text;
    }
    ZoneSettings Zone(const char* tz) const
    {
        return {tz, root / "localtime", root / "timezone", root / "zoneinfo"};
    }
    std::string Path(const std::string& name) const { return root / name; }

    fs::path root;
};

}  // namespace

TEST_F(ZoneFiles, TokyoFromTz)
{
    const std::string tokyoPath = Path("zoneinfo/Asia/Tokyo");
    const std::string japanPath = ":" + Path("zoneinfo/Japan");
    Write("copy", "TZif2 Tokyo");
    const std::string copy = Path("copy");
    const struct {
        const char* tz;
        bool tokyo;
    } cases[] = {
        {"Asia/Tokyo", true}, {":Asia/Tokyo", true}, {"Japan", true}, {":Japan", true},
        {tokyoPath.c_str(), true}, {japanPath.c_str(), true}, {copy.c_str(), true},
        {"JST-9", true}, {"JST-09:00", true}, {"<JST>-9", true}, {"JST-9JDT", true},
        {"JST-9:00:00", true},
        {"JST+9", false}, {"JST9", false}, {"JST-8", false}, {"JST-9:30", false},
        {"JST-90", false}, {"KST-9", false}, {"<+09>-9", false}, {"Europe/Berlin", false},
        {"Asia/Seoul", false}, {"", false}, {":", false}, {"UTC", false},
    };
    // A Tokyo /etc/localtime must not count once TZ is set.
    fs::create_symlink(root / "zoneinfo/Asia/Tokyo", root / "localtime");
    for (const auto& c : cases)
        EXPECT_EQ(IsTokyoZone(Zone(c.tz)), c.tokyo) << "TZ=" << c.tz;
}

TEST_F(ZoneFiles, TokyoFromTheSystemFilesWhenTzIsUnset)
{
    const struct {
        const char* name;
        std::function<void()> prepare;
        bool tokyo;
    } cases[] = {
        {"link to Tokyo",
         [&] { fs::create_symlink(root / "zoneinfo/Asia/Tokyo", root / "localtime"); }, true},
        {"link to the alias",
         [&] { fs::create_symlink(root / "zoneinfo/Japan", root / "localtime"); }, true},
        {"copy of Tokyo", [&] { Write("localtime", "TZif2 Tokyo"); }, true},
        {"link elsewhere",
         [&] { fs::create_symlink(root / "zoneinfo/Europe/Berlin", root / "localtime"); }, false},
        // The zone that /etc/localtime resolves to wins over /etc/timezone.
        {"copy elsewhere, timezone Tokyo",
         [&] { Write("localtime", "TZif2 Berlin"); Write("timezone", "Asia/Tokyo\n"); }, false},
        {"no localtime, timezone Tokyo", [&] { Write("timezone", "Asia/Tokyo\n"); }, true},
        {"dangling link, timezone Japan",
         [&] { fs::create_symlink(root / "missing", root / "localtime"); Write("timezone", "Japan"); },
         true},
        {"no localtime, timezone elsewhere", [&] { Write("timezone", "Europe/Berlin\n"); }, false},
        {"neither", [] {}, false},
    };
    for (const auto& c : cases) {
        fs::remove(root / "localtime");
        fs::remove(root / "timezone");
        c.prepare();
        EXPECT_EQ(IsTokyoZone(Zone(nullptr)), c.tokyo) << c.name;
    }
}

TEST(JapaneseLocale, TheFirstVariableSetNamesTheLanguage)
{
    const struct {
        LocaleSettings locale;
        bool japanese;
    } cases[] = {
        {{nullptr, nullptr, "ja"}, true},
        {{nullptr, nullptr, "ja_JP"}, true},
        {{nullptr, nullptr, "ja_JP.UTF-8"}, true},
        {{nullptr, nullptr, "ja_JP.eucJP"}, true},
        {{nullptr, "ja_JP.UTF-8", "C"}, true},
        {{"ja_JP.UTF-8", "C", "C"}, true},
        {{"", "", "ja_JP.UTF-8"}, true},
        {{"C.UTF-8", nullptr, "ja_JP.UTF-8"}, false},
        {{nullptr, "en_GB.UTF-8", "ja_JP.UTF-8"}, false},
        {{nullptr, nullptr, "C"}, false},
        {{nullptr, nullptr, "POSIX"}, false},
        {{nullptr, nullptr, nullptr}, false},
        {{nullptr, nullptr, "jav_ID"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsJapaneseLocale(c.locale), c.japanese)
            << (c.locale.lcAll ? c.locale.lcAll : "-") << " "
            << (c.locale.lcMessages ? c.locale.lcMessages : "-") << " "
            << (c.locale.lang ? c.locale.lang : "-");
}

// Both facts together make the zone name Japanese, as the byte test sees it.
TEST(JapaneseSystem, NeedsTokyoAndJapanese)
{
    const struct {
        const char* tz;
        const char* lang;
        bool japanese;
    } cases[] = {
        {"Asia/Tokyo", "ja_JP.UTF-8", true},
        {"Asia/Tokyo", "C.UTF-8", false},
        {"Europe/Berlin", "ja_JP.UTF-8", false},
    };
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    for (const auto& c : cases) {
        setenv("TZ", c.tz, 1);
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(IsJapaneseZone(), c.japanese) << c.tz << " " << c.lang;
    }
}
