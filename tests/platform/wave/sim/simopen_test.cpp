// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, querying and closing the virtual devices, and handle validation.
#include "simfixture.h"

#include <gtest/gtest.h>

namespace {

class SimOpen : public ::testing::Test {
protected:
    SimWaveService service{{{"Line In", WAVE_FORMAT_4S16 | WAVE_FORMAT_1M08}, {"Mic", 0xFFF}},
                           {{"Speakers", 0xFFF}}};
    FakeTarget target{service};
};

PCMWAVEFORMAT With(PCMWAVEFORMAT format, void (*change)(PCMWAVEFORMAT&))
{
    change(format);
    return format;
}

}

TEST_F(SimOpen, OnlyConsistentPcmFormatsTheDeviceOffersAreAccepted)
{
    struct Case {
        const char* what;
        PCMWAVEFORMAT format;
        MMRESULT expected;
    };
    const Case cases[] = {
        {"offered", CdFormat, MMSYSERR_NOERROR},
        {"offered 8-bit mono", Pcm(11025, 1, 8), MMSYSERR_NOERROR},
        {"not offered", Pcm(22050, 2, 16), WAVERR_BADFORMAT},
        {"other rate", Pcm(48000, 2, 16), WAVERR_BADFORMAT},
        {"three channels", Pcm(44100, 3, 16), WAVERR_BADFORMAT},
        {"24 bits", Pcm(44100, 2, 24), WAVERR_BADFORMAT},
        {"not PCM", With(CdFormat, [](PCMWAVEFORMAT& f) { f.wf.wFormatTag = 3; }),
         WAVERR_BADFORMAT},
        {"block align", With(CdFormat, [](PCMWAVEFORMAT& f) { f.wf.nBlockAlign = 2; }),
         WAVERR_BADFORMAT},
        {"byte rate", With(CdFormat, [](PCMWAVEFORMAT& f) { f.wf.nAvgBytesPerSec += 1; }),
         WAVERR_BADFORMAT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(service.waveInOpen(nullptr, 0, Ex(c.format), 0, 0, WAVE_FORMAT_QUERY), c.expected)
            << c.what;
        HWAVEIN handle = nullptr;
        EXPECT_EQ(service.waveInOpen(&handle, 0, Ex(c.format), 0, 0, CALLBACK_NULL), c.expected)
            << c.what;
        if (handle) {
            EXPECT_EQ(service.waveInClose(handle), MMSYSERR_NOERROR);
        }
    }
}

TEST_F(SimOpen, AQueryOpensNothingAndPostsNothing)
{
    ASSERT_EQ(service.waveOutOpen(nullptr, 0, Ex(CdFormat), target.Callback(), 0,
                                  WAVE_FORMAT_QUERY | CALLBACK_WINDOW),
              MMSYSERR_NOERROR);
    EXPECT_TRUE(target.arrivals.empty());
    HWAVEOUT handle = nullptr;
    EXPECT_EQ(service.waveOutOpen(&handle, 0, Ex(CdFormat), 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveOutOpen(nullptr, 0, Ex(CdFormat), 0, 0, WAVE_FORMAT_QUERY),
              MMSYSERR_NOERROR);
}

TEST_F(SimOpen, OpenPostsItsNotificationWithTheHandleAlreadyStored)
{
    HWAVEIN handle = nullptr;
    target.onPost = [&](const Arrival& arrival) {
        EXPECT_EQ(arrival.wParam, reinterpret_cast<WPARAM>(handle));
    };
    ASSERT_EQ(service.waveInOpen(&handle, 1, Ex(CdFormat), target.Callback(), 0, CALLBACK_WINDOW),
              MMSYSERR_NOERROR);
    ASSERT_EQ(target.arrivals.size(), 1u);
    EXPECT_EQ(target.arrivals[0].msg, MM_WIM_OPEN);
    EXPECT_NE(handle, nullptr);

    HWAVEIN second = nullptr;
    EXPECT_EQ(service.waveInOpen(&second, 1, Ex(CdFormat), 0, 0, CALLBACK_NULL),
              MMSYSERR_ALLOCATED);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(target.arrivals.size(), 1u);
}

TEST_F(SimOpen, TheMapperOpensTheFirstFreeDeviceThatTakesTheFormat)
{
    const PCMWAVEFORMAT onlyMic = Pcm(22050, 1, 8);
    HWAVEIN first = nullptr;
    HWAVEIN second = nullptr;
    HWAVEIN third = nullptr;
    ASSERT_EQ(service.waveInOpen(&first, WAVE_MAPPER, Ex(onlyMic), 0, 0, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveInOpen(&third, 1, Ex(CdFormat), 0, 0, 0), MMSYSERR_ALLOCATED);
    EXPECT_EQ(service.waveInOpen(&second, WAVE_MAPPER, Ex(onlyMic), 0, 0, 0), MMSYSERR_ALLOCATED);
    ASSERT_EQ(service.waveInOpen(&second, WAVE_MAPPER, Ex(CdFormat), 0, 0, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveInOpen(&third, 0, Ex(CdFormat), 0, 0, 0), MMSYSERR_ALLOCATED);
    EXPECT_EQ(service.waveInOpen(&third, WAVE_MAPPER, Ex(Pcm(48000, 2, 16)), 0, 0, 0),
              WAVERR_BADFORMAT);

    SimWaveService none({}, {});
    EXPECT_EQ(none.waveInOpen(&third, WAVE_MAPPER, Ex(CdFormat), 0, 0, 0), MMSYSERR_NODRIVER);
    EXPECT_EQ(none.waveOutOpen(nullptr, WAVE_MAPPER, Ex(CdFormat), 0, 0, WAVE_FORMAT_QUERY),
              MMSYSERR_NODRIVER);
}

TEST_F(SimOpen, BadOpenArgumentsAreRefused)
{
    HWAVEOUT handle = nullptr;
    EXPECT_EQ(service.waveOutOpen(&handle, 1, Ex(CdFormat), 0, 0, 0), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(service.waveOutOpen(&handle, 0, nullptr, 0, 0, 0), MMSYSERR_INVALPARAM);
    EXPECT_EQ(service.waveOutOpen(nullptr, 0, Ex(CdFormat), 0, 0, 0), MMSYSERR_INVALPARAM);
    EXPECT_EQ(service.waveOutOpen(&handle, 0, Ex(CdFormat), 0, 0, 0x00030000), MMSYSERR_INVALFLAG);
    EXPECT_EQ(handle, nullptr);
}

TEST_F(SimOpen, CloseNotifiesAndTheHandleDiesWithIt)
{
    HWAVEOUT handle = nullptr;
    ASSERT_EQ(service.waveOutOpen(&handle, 0, Ex(CdFormat), target.Callback(), 0, CALLBACK_WINDOW),
              MMSYSERR_NOERROR);
    ASSERT_EQ(service.waveOutClose(handle), MMSYSERR_NOERROR);
    ASSERT_EQ(target.arrivals.size(), 2u);
    EXPECT_EQ(target.arrivals[1].msg, MM_WOM_CLOSE);
    EXPECT_EQ(target.arrivals[1].wParam, reinterpret_cast<WPARAM>(handle));
    EXPECT_EQ(service.waveOutClose(handle), MMSYSERR_INVALHANDLE);

    HWAVEOUT again = nullptr;
    ASSERT_EQ(service.waveOutOpen(&again, 0, Ex(CdFormat), 0, 0, 0), MMSYSERR_NOERROR);
    EXPECT_NE(again, handle);
    EXPECT_EQ(service.waveOutReset(handle), MMSYSERR_INVALHANDLE);
}

TEST_F(SimOpen, EveryCallRefusesAForeignOrClosedHandle)
{
    HWAVEIN in = nullptr;
    HWAVEOUT out = nullptr;
    ASSERT_EQ(service.waveInOpen(&in, 0, Ex(CdFormat), 0, 0, 0), MMSYSERR_NOERROR);
    ASSERT_EQ(service.waveOutOpen(&out, 0, Ex(CdFormat), 0, 0, 0), MMSYSERR_NOERROR);
    HWAVEIN closed = nullptr;
    ASSERT_EQ(service.waveInOpen(&closed, 1, Ex(CdFormat), 0, 0, 0), MMSYSERR_NOERROR);
    ASSERT_EQ(service.waveInClose(closed), MMSYSERR_NOERROR);

    const HWAVEIN badIns[] = {nullptr, closed, reinterpret_cast<HWAVEIN>(out),
                              reinterpret_cast<HWAVEIN>(UINT_PTR{0xDEADBEEF})};
    Block block(64);
    const LPWAVEHDR header = &block.header;
    const UINT size = sizeof(WAVEHDR);
    for (HWAVEIN bad : badIns) {
        EXPECT_EQ(service.waveInPrepareHeader(bad, header, size), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveInUnprepareHeader(bad, header, size), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveInAddBuffer(bad, header, size), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveInStart(bad), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveInReset(bad), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveInClose(bad), MMSYSERR_INVALHANDLE);
    }
    const HWAVEOUT badOuts[] = {nullptr, reinterpret_cast<HWAVEOUT>(in),
                                reinterpret_cast<HWAVEOUT>(UINT_PTR{0xDEADBEEF})};
    for (HWAVEOUT bad : badOuts) {
        EXPECT_EQ(service.waveOutPrepareHeader(bad, header, size), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveOutUnprepareHeader(bad, header, size), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveOutWrite(bad, header, size), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveOutReset(bad), MMSYSERR_INVALHANDLE);
        EXPECT_EQ(service.waveOutClose(bad), MMSYSERR_INVALHANDLE);
    }
    EXPECT_EQ(block.header.dwFlags, 0u);
}
