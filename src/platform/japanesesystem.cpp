// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/japanesesystem.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

constexpr std::string_view TokyoNames[] = {"Asia/Tokyo", "Japan"};

bool IsTokyoName(std::string_view name)
{
    for (std::string_view tokyo : TokyoNames)
        if (name == tokyo)
            return true;
    return false;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A zoneinfo file: a link that leads to Tokyo's file, or a copy of it.
bool IsTokyoFile(const std::string& path, const std::string& zoneinfo)
{
    std::error_code error;
    const std::string target = std::filesystem::canonical(path, error).string();
    if (error)
        return false;
    for (std::string_view tokyo : TokyoNames)
        if (target.ends_with("/" + std::string(tokyo)))
            return true;
    const std::string contents = ReadFile(path);
    return !contents.empty() && contents == ReadFile(zoneinfo + "/Asia/Tokyo");
}

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Digits from `at`, at most `most`; -1 when there are none.
int Number(std::string_view text, std::size_t& at, std::size_t most)
{
    int value = -1;
    for (std::size_t n = 0; n < most && at < text.size() && IsDigit(text[at]); ++n, ++at)
        value = (value < 0 ? 0 : value * 10) + (text[at] - '0');
    return value;
}

// "JST-9", "<JST>-09:00", "JST-9JDT"...: POSIX counts offsets west of UTC, so UTC+9 is -9.
bool IsTokyoRule(std::string_view rule)
{
    std::size_t at = 0;
    std::string_view name;
    if (rule.starts_with('<')) {
        at = rule.find('>');
        if (at == std::string_view::npos)
            return false;
        name = rule.substr(1, at - 1);
        ++at;
    } else {
        while (at < rule.size() && std::isalpha(static_cast<unsigned char>(rule[at])))
            ++at;
        name = rule.substr(0, at);
    }
    if (name != "JST" || at >= rule.size() || rule[at++] != '-')
        return false;
    const int hours = Number(rule, at, 2);
    int minutes = 0;
    int seconds = 0;
    if (at < rule.size() && rule[at] == ':')
        minutes = Number(rule, ++at, 2);
    if (at < rule.size() && rule[at] == ':')
        seconds = Number(rule, ++at, 2);
    const bool offsetEnds = at == rule.size() || !IsDigit(rule[at]);
    return offsetEnds && hours == 9 && minutes == 0 && seconds == 0;
}

}  // namespace

bool IsTokyoZone(const ZoneSettings& zone)
{
    if (zone.tz) {
        std::string_view tz = zone.tz;
        if (tz.starts_with(':'))
            tz.remove_prefix(1);
        if (IsTokyoName(tz) || IsTokyoRule(tz))
            return true;
        // An empty TZ is UTC; a name is a file of the zoneinfo folder, or a path.
        if (tz.empty())
            return false;
        const std::string path =
            tz.starts_with('/') ? std::string(tz) : zone.zoneinfo + "/" + std::string(tz);
        return IsTokyoFile(path, zone.zoneinfo);
    }
    if (std::filesystem::exists(zone.localtime))
        return IsTokyoFile(zone.localtime, zone.zoneinfo);
    std::string name = ReadFile(zone.timezone);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
        name.pop_back();
    return IsTokyoName(name);
}

bool IsJapaneseLocale(const LocaleSettings& locale)
{
    // The first variable that is set and not empty decides, as for setlocale.
    for (const char* value : {locale.lcAll, locale.lcMessages, locale.lang}) {
        if (value && *value) {
            const std::string_view name = value;
            return name.substr(0, name.find_first_of("_.@")) == "ja";
        }
    }
    return false;
}
