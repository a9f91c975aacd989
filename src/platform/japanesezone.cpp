// SPDX-License-Identifier: GPL-3.0-or-later
// The test for a Japanese system, on whichever standard zone name the platform gives.
#include "platform/timezone.h"

#include <string_view>

StandardZoneNameReader ReadStandardZoneName = SystemStandardZoneName;

bool IsJapaneseZone()
{
    constexpr std::string_view Tokyo = "\x93\x8C\x8B\x9E";
    std::string name;
    return ReadStandardZoneName(name) && name.find(Tokyo) != std::string::npos;
}
