// SPDX-License-Identifier: GPL-3.0-or-later
// The standard zone name on Linux.
#include "platform/timezone.h"

#include "platform/japanesesystem.h"

#include <cstdlib>
#include <ctime>

bool SystemStandardZoneName(std::string& name)
{
    // The C library names zones in ASCII only; a Japanese system calls Tokyo's zone
    // "東京 (標準時)", in the Japanese code page.
    if (IsTokyoZone({std::getenv("TZ")}) &&
        IsJapaneseLocale({std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")})) {
        name = "\x93\x8C\x8B\x9E (\x95W\x8F\x80\x8E\x9E)";
        return true;
    }
    tzset();
    if (!tzname[0])
        return false;
    name = tzname[0];
    return true;
}
