// SPDX-License-Identifier: GPL-3.0-or-later
// The system's standard time-zone name, and the test for a Japanese system that follows
// from it.
#pragma once

#include <string>

// Fills `name` with the standard zone name as narrow bytes in the system's encoding; false
// when the zone cannot be read. Tests replace it.
using StandardZoneNameReader = bool (*)(std::string& name);
extern StandardZoneNameReader ReadStandardZoneName;

// The standard zone name as the system would show it to its user: Tokyo's Japanese name in
// Shift-JIS on a Japanese system set to Tokyo (see japanesesystem.h), else the C library's
// abbreviation after tzset.
bool SystemStandardZoneName(std::string& name);

// True when the standard zone name holds "東京" in Shift-JIS bytes.
bool IsJapaneseZone();
