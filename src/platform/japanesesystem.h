// SPDX-License-Identifier: GPL-3.0-or-later
// What makes a Linux system a Japanese one set to Tokyo: the two facts that, on the original
// platform, give the standard zone name its Japanese spelling.
#pragma once

#include <string>

// Where the system's zone is set: the TZ variable (nullptr when unset), else the files that
// the C library and the distribution read.
struct ZoneSettings {
    const char* tz;
    std::string localtime = "/etc/localtime";
    std::string timezone = "/etc/timezone";
    std::string zoneinfo = "/usr/share/zoneinfo";
};

// True for Asia/Tokyo or its alias Japan, by name, zoneinfo file (a link or a copy) or a
// POSIX rule whose standard time is JST at UTC+9.
bool IsTokyoZone(const ZoneSettings& zone);

// The locale variables that name the language of messages, the most binding first.
struct LocaleSettings {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
};

// True when the first of them that is set names the language ja.
bool IsJapaneseLocale(const LocaleSettings& locale);
