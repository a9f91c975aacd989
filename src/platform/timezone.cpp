#include "platform/timezone.h"

#include <ctime>
#include <string_view>

StandardZoneNameReader ReadStandardZoneName = SystemStandardZoneName;

bool SystemStandardZoneName(std::string& name)
{
    tzset();
    if (!tzname[0])
        return false;
    name = tzname[0];
    return true;
}

bool IsJapaneseZone()
{
    constexpr std::string_view Tokyo = "\x93\x8C\x8B\x9E";
    std::string name;
    return ReadStandardZoneName(name) && name.find(Tokyo) != std::string::npos;
}
