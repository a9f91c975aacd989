// SPDX-License-Identifier: GPL-3.0-or-later
// The standard zone name as the platform gives it, converted to the ANSI code page.
#include "platform/timezone.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

bool SystemStandardZoneName(std::string& name)
{
    TIME_ZONE_INFORMATION zone;
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return false;
    // Up to its first zero; a double-byte code page needs at most two bytes a character.
    const auto wide = static_cast<int>(wcsnlen(zone.StandardName, std::size(zone.StandardName)));
    char bytes[2 * std::size(zone.StandardName)];
    const int length = WideCharToMultiByte(CP_ACP, 0, zone.StandardName, wide, bytes,
                                           sizeof bytes, nullptr, nullptr);
    name.assign(bytes, length);
    return true;
}
