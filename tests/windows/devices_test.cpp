// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's waveform-audio service as the engine finds it: the device lists, the
// capabilities it relies on, and the format query accepted and refused.
#include "platform/wave/winmm/winmmwaveservice.h"
#include "testsupport.h"
#include "windowrelay.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
constexpr DWORD TwelveFormats = 0xFFF;

std::string ErrorText(MMRESULT code)
{
    char text[MAXERRORLENGTH] = {};
    waveInGetErrorTextA(code, text, sizeof text);
    return text;
}
}

TEST(WinmmDevices, ListTheServersSinksAndSourcesWithEveryFormatAndNoSync)
{
    WinmmWaveService service;
    for (UINT id = 0; id < service.waveOutGetNumDevs(); ++id) {
        WAVEOUTCAPSA caps{};
        ASSERT_EQ(service.waveOutGetDevCapsA(id, &caps, sizeof caps), MMSYSERR_NOERROR);
        std::printf("out %u: \"%s\" formats %#lx support %#lx\n", id, caps.szPname,
                    caps.dwFormats, caps.dwSupport);
        EXPECT_EQ(caps.dwFormats & TwelveFormats, TwelveFormats);
        EXPECT_EQ(caps.dwSupport & WAVECAPS_SYNC, 0u);
    }
    for (UINT id = 0; id < service.waveInGetNumDevs(); ++id) {
        WAVEINCAPSA caps{};
        ASSERT_EQ(service.waveInGetDevCapsA(id, &caps, sizeof caps), MMSYSERR_NOERROR);
        std::printf("in %u: \"%s\" formats %#lx\n", id, caps.szPname, caps.dwFormats);
        EXPECT_EQ(caps.dwFormats & TwelveFormats, TwelveFormats);
    }
    EXPECT_GE(FindOutDevice(service, "Test Speakers"), 0);
    EXPECT_GE(FindInDevice(service, "Monitor of Tone Mic"), 0);
    EXPECT_GE(FindInDevice(service, "Monitor of Test Speakers"), 0);
}

TEST(WinmmDevices, TheFormatQueryAsksTheCaptureDeviceFirstAndShowsOneBox)
{
    WinmmWaveService service;
    const int mic = FindInDevice(service, "Monitor of Tone Mic");
    const int speakers = FindOutDevice(service, "Test Speakers");
    const int noInput = static_cast<int>(service.waveInGetNumDevs());
    const int noOutput = static_cast<int>(service.waveOutGetNumDevs());
    const struct {
        int in, out;
        bool accepted;
        const char* caption;
    } cases[] = {
        {mic, speakers, true, nullptr},
        {-1, -1, true, nullptr},
        {noInput, noOutput, false, "In Device Query"},
        {mic, noOutput, false, "Out Device Query"},
    };
    for (const auto& c : cases) {
        WindowRelay relay(service);
        relay.Configure(44100, true, true, 7, c.in, c.out);
        relay.Window().ClearBoxes();  // those of the capability reads of missing devices
        EXPECT_EQ(relay.Engine().QueryDevices(), c.accepted) << c.in << " " << c.out;
        const auto& boxes = relay.Window().Boxes();
        ASSERT_EQ(boxes.size(), c.caption ? 1u : 0u);
        if (c.caption) {
            EXPECT_EQ(boxes[0].caption, c.caption);
            EXPECT_EQ(boxes[0].text, ErrorText(MMSYSERR_BADDEVICEID));
        }
    }
}
