// SPDX-License-Identifier: GPL-3.0-or-later
// Device counts, capability records and error texts of the virtual devices.
#include "simfixture.h"

#include "platform/wave/errortext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SimWaveService TwoByTwo()
{
    return SimWaveService({{"Line In", WAVE_FORMAT_4S16}, {"Mic", WAVE_FORMAT_1M08}},
                          {{"A playback device with a long product name", WAVE_FORMAT_2M16, true},
                           {"Speakers", WAVE_FORMAT_4S16 | WAVE_FORMAT_4M16, false}});
}

}

TEST(SimCaps, CountsAndRecordsDescribeTheDevices)
{
    SimWaveService service = TwoByTwo();
    EXPECT_EQ(service.waveInGetNumDevs(), 2u);
    EXPECT_EQ(service.waveOutGetNumDevs(), 2u);

    WAVEINCAPSA in;
    ASSERT_EQ(service.waveInGetDevCapsA(1, &in, sizeof in), MMSYSERR_NOERROR);
    EXPECT_STREQ(in.szPname, "Mic");
    EXPECT_EQ(in.dwFormats, WAVE_FORMAT_1M08);
    EXPECT_EQ(in.wChannels, 2);

    WAVEOUTCAPSA out;
    ASSERT_EQ(service.waveOutGetDevCapsA(0, &out, sizeof out), MMSYSERR_NOERROR);
    EXPECT_STREQ(out.szPname, "A playback device with a long p");
    EXPECT_EQ(out.dwSupport, WAVECAPS_SYNC);
    ASSERT_EQ(service.waveOutGetDevCapsA(1, &out, sizeof out), MMSYSERR_NOERROR);
    EXPECT_EQ(out.dwSupport, 0u);
}

TEST(SimCaps, TheMapperOffersWhatAnyDeviceCanAndIsSyncOnlyIfAllAre)
{
    SimWaveService service = TwoByTwo();
    for (UINT_PTR mapper : {UINT_PTR{WAVE_MAPPER}, static_cast<UINT_PTR>(-1)}) {
        WAVEINCAPSA in;
        ASSERT_EQ(service.waveInGetDevCapsA(mapper, &in, sizeof in), MMSYSERR_NOERROR);
        EXPECT_STREQ(in.szPname, "Wave Mapper");
        EXPECT_EQ(in.dwFormats, WAVE_FORMAT_4S16 | WAVE_FORMAT_1M08);
        WAVEOUTCAPSA out;
        ASSERT_EQ(service.waveOutGetDevCapsA(mapper, &out, sizeof out), MMSYSERR_NOERROR);
        EXPECT_EQ(out.dwFormats, WAVE_FORMAT_2M16 | WAVE_FORMAT_4S16 | WAVE_FORMAT_4M16);
        EXPECT_EQ(out.dwSupport, 0u);
    }
    SimWaveService allSync({}, {{"One", 0xFFF, true}, {"Two", 0xFFF, true}});
    WAVEOUTCAPSA out;
    ASSERT_EQ(allSync.waveOutGetDevCapsA(WAVE_MAPPER, &out, sizeof out), MMSYSERR_NOERROR);
    EXPECT_EQ(out.dwSupport, WAVECAPS_SYNC);
}

TEST(SimCaps, BadRequestsAreRefusedAndLeaveTheRecord)
{
    SimWaveService service = TwoByTwo();
    SimWaveService none({}, {});
    struct Case {
        SimWaveService* service;
        UINT_PTR id;
        UINT size;
        MMRESULT expected;
    };
    const Case cases[] = {
        {&service, 2, sizeof(WAVEOUTCAPSA), MMSYSERR_BADDEVICEID},
        {&none, 0, sizeof(WAVEOUTCAPSA), MMSYSERR_BADDEVICEID},
        {&none, WAVE_MAPPER, sizeof(WAVEOUTCAPSA), MMSYSERR_NODRIVER},
    };
    for (const Case& c : cases) {
        WAVEOUTCAPSA out{};
        out.dwFormats = 0xBEEF;
        WAVEINCAPSA in{};
        in.dwFormats = 0xBEEF;
        EXPECT_EQ(c.service->waveInGetDevCapsA(c.id, &in, c.size), c.expected) << c.id;
        EXPECT_EQ(c.service->waveOutGetDevCapsA(c.id, &out, c.size + 4), c.expected) << c.id;
        EXPECT_EQ(in.dwFormats, 0xBEEFu);
        EXPECT_EQ(out.dwFormats, 0xBEEFu);
    }
    EXPECT_EQ(service.waveInGetDevCapsA(0, nullptr, sizeof(WAVEINCAPSA)), MMSYSERR_INVALPARAM);
    // A short record gets what fits, as the platform's service does.
    WAVEINCAPSA shortRecord{};
    shortRecord.dwFormats = 0xBEEF;
    EXPECT_EQ(service.waveInGetDevCapsA(0, &shortRecord, 12), MMSYSERR_NOERROR);
    EXPECT_EQ(std::string(shortRecord.szPname, 4), "Line");
    EXPECT_EQ(shortRecord.szPname[4], 0);
    EXPECT_EQ(shortRecord.dwFormats, 0xBEEFu);
    EXPECT_EQ(none.waveInGetNumDevs(), 0u);
    EXPECT_EQ(none.waveOutGetNumDevs(), 0u);
}

TEST(SimCaps, ErrorTextsAreTheSharedOnes)
{
    SimWaveService service = TwoByTwo();
    char text[MAXERRORLENGTH];
    ASSERT_EQ(service.waveInGetErrorTextA(WAVERR_BADFORMAT, text, 255), MMSYSERR_NOERROR);
    EXPECT_STREQ(text, WaveErrorText(WAVERR_BADFORMAT));
    ASSERT_EQ(service.waveOutGetErrorTextA(MMSYSERR_ALLOCATED, text, 255), MMSYSERR_NOERROR);
    EXPECT_STREQ(text, WaveErrorText(MMSYSERR_ALLOCATED));
    EXPECT_EQ(service.waveOutGetErrorTextA(12345, text, 255), MMSYSERR_BADERRNUM);
}
