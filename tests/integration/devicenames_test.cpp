// SPDX-License-Identifier: GPL-3.0-or-later
// Device descriptions as a server may hold them, read through the backend's device lists:
// cut to 31 bytes without splitting a character, never empty, control characters as spaces;
// sinks and their monitors alike.
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testserver.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
std::set<std::string> OutNames(WaveService& service)
{
    std::set<std::string> names;
    for (UINT id = 0, count = service.waveOutGetNumDevs(); id < count; ++id) {
        WAVEOUTCAPSA caps{};
        EXPECT_EQ(service.waveOutGetDevCapsA(id, &caps, sizeof caps), MMSYSERR_NOERROR);
        names.insert(caps.szPname);
    }
    return names;
}

std::set<std::string> InNames(WaveService& service)
{
    std::set<std::string> names;
    for (UINT id = 0, count = service.waveInGetNumDevs(); id < count; ++id) {
        WAVEINCAPSA caps{};
        EXPECT_EQ(service.waveInGetDevCapsA(id, &caps, sizeof caps), MMSYSERR_NOERROR);
        names.insert(caps.szPname);
    }
    return names;
}

TEST(PulseDeviceNames, AreCutWholeNeverEmptyAndOneLine)
{
    const std::string a30(30, 'a');
    const std::string kana = "スピーカー";  // 3 bytes a character
    const struct {
        const char* sink;
        std::string description;
        std::string name;
        std::string monitor;
    } cases[] = {
        {"accent", a30 + "é", a30, "Monitor of " + std::string(20, 'a')},
        {"kana", kana + kana + kana, kana + kana, "Monitor of スピーカース"},
        {"blank", "", "blank", "Monitor of "},
        {"controls", "Tab\tEsc\x1b[31mBell\x07", "Tab Esc [31mBell ", "Monitor of Tab Esc [31mBell "},
    };
    for (const auto& c : cases)
        ASSERT_NE(Pactl(std::string("load-module module-null-sink sink_name=") + c.sink +
                        " \"sink_properties='device.description=\\\"" + c.description +
                        "\\\"'\""),
                  "")
            << c.sink;

    PulseWaveService service;
    const auto outs = OutNames(service);
    const auto ins = InNames(service);
    for (const auto& c : cases) {
        EXPECT_EQ(outs.count(c.name), 1u) << c.sink;
        EXPECT_EQ(ins.count(c.monitor), 1u) << c.sink;
    }
}
}
