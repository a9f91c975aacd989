// SPDX-License-Identifier: GPL-3.0-or-later
// Header preparation and queueing rules, and fault injection.
#include "simfixture.h"

#include <gtest/gtest.h>

namespace {

class SimHeaders : public SimOpenDevices {
protected:
    Block block{17640};
    const UINT size = sizeof(WAVEHDR);
};

}

TEST_F(SimHeaders, PrepareQueueAndUnprepareFollowTheHeaderState)
{
    EXPECT_EQ(service.waveInAddBuffer(in, &block.header, size), WAVERR_UNPREPARED);
    EXPECT_EQ(service.waveInUnprepareHeader(in, &block.header, size), MMSYSERR_NOERROR);
    ASSERT_EQ(service.waveInPrepareHeader(in, &block.header, size), MMSYSERR_NOERROR);
    EXPECT_EQ(block.header.dwFlags, WHDR_PREPARED);

    block.header.dwFlags |= WHDR_DONE;
    ASSERT_EQ(service.waveInAddBuffer(in, &block.header, size), MMSYSERR_NOERROR);
    EXPECT_EQ(block.header.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
    EXPECT_EQ(service.waveInAddBuffer(in, &block.header, size), WAVERR_STILLPLAYING);
    EXPECT_EQ(service.waveOutWrite(out, &block.header, size), WAVERR_STILLPLAYING);
    EXPECT_EQ(service.waveInUnprepareHeader(in, &block.header, size), WAVERR_STILLPLAYING);
    // The engine clears the flags before every prepare; the queue still knows the header.
    block.header.dwFlags = 0;
    EXPECT_EQ(service.waveInPrepareHeader(in, &block.header, size), WAVERR_STILLPLAYING);
    EXPECT_EQ(service.waveInClose(in), WAVERR_STILLPLAYING);

    ASSERT_EQ(service.waveInReset(in), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveInUnprepareHeader(in, &block.header, size), MMSYSERR_NOERROR);
    EXPECT_EQ(block.header.dwFlags & WHDR_PREPARED, 0u);
    EXPECT_EQ(service.waveInClose(in), MMSYSERR_NOERROR);
}

TEST_F(SimHeaders, BadHeadersAreRefusedOnBothSides)
{
    Block noData(16);
    noData.header.lpData = nullptr;
    Block empty(0);
    struct Case {
        const char* what;
        LPWAVEHDR header;
        UINT size;
    };
    const Case cases[] = {
        {"null header", nullptr, sizeof(WAVEHDR)},
        {"short size", &block.header, sizeof(WAVEHDR) - 1},
        {"no block", &noData.header, sizeof(WAVEHDR)},
        {"empty block", &empty.header, sizeof(WAVEHDR)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(service.waveInPrepareHeader(in, c.header, c.size), MMSYSERR_INVALPARAM) << c.what;
        EXPECT_EQ(service.waveOutPrepareHeader(out, c.header, c.size), MMSYSERR_INVALPARAM)
            << c.what;
    }
    for (UINT badSize : {0u, UINT{sizeof(WAVEHDR) - 1}}) {
        EXPECT_EQ(service.waveInAddBuffer(in, &block.header, badSize), MMSYSERR_INVALPARAM);
        EXPECT_EQ(service.waveOutWrite(out, &block.header, badSize), MMSYSERR_INVALPARAM);
        EXPECT_EQ(service.waveOutUnprepareHeader(out, nullptr, size), MMSYSERR_INVALPARAM);
    }
    EXPECT_EQ(block.header.dwFlags, 0u);
}

TEST_F(SimHeaders, AnInjectedFailureHasNoOtherEffect)
{
    service.Fail(SimSide::In, SimOp::Prepare, 2, MMSYSERR_NOMEM);
    service.Fail(SimSide::Out, SimOp::Add, 1, MMSYSERR_ERROR);
    service.Fail(SimSide::In, SimOp::Close, 0, MMSYSERR_HANDLEBUSY);
    service.Fail(SimSide::Out, SimOp::Reset, 1, MMSYSERR_NOTSUPPORTED);
    service.Fail(SimSide::In, SimOp::GetErrorText, 1, MMSYSERR_BADERRNUM);

    Block second(17640);
    ASSERT_EQ(service.waveInPrepareHeader(in, &block.header, size), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveInPrepareHeader(in, &second.header, size), MMSYSERR_NOMEM);
    EXPECT_EQ(second.header.dwFlags, 0u);
    EXPECT_EQ(service.waveInPrepareHeader(in, &second.header, size), MMSYSERR_NOERROR);

    ASSERT_EQ(service.waveOutPrepareHeader(out, &block.header, size), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveOutWrite(out, &block.header, size), MMSYSERR_ERROR);
    EXPECT_EQ(service.NextEventTime(), std::nullopt);
    ASSERT_EQ(service.waveOutWrite(out, &block.header, size), MMSYSERR_NOERROR);
    EXPECT_EQ(service.waveOutReset(out), MMSYSERR_NOTSUPPORTED);
    EXPECT_EQ(block.header.dwFlags & WHDR_INQUEUE, WHDR_INQUEUE);
    EXPECT_EQ(service.waveOutReset(out), MMSYSERR_NOERROR);

    const std::size_t posted = target.arrivals.size();
    EXPECT_EQ(service.waveInClose(in), MMSYSERR_HANDLEBUSY);
    EXPECT_EQ(service.waveInClose(in), MMSYSERR_HANDLEBUSY);
    EXPECT_EQ(target.arrivals.size(), posted);
    EXPECT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);

    char text[MAXERRORLENGTH] = "untouched";
    EXPECT_EQ(service.waveInGetErrorTextA(WAVERR_BADFORMAT, text, 255), MMSYSERR_BADERRNUM);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(service.waveInGetErrorTextA(WAVERR_BADFORMAT, text, 255), MMSYSERR_NOERROR);
}

TEST_F(SimHeaders, AFailedOpenStoresNoHandleAndPostsNothing)
{
    SimWaveService fresh({{"Line In"}}, {{"Speakers"}});
    FakeTarget quiet(fresh);
    fresh.Fail(SimSide::Out, SimOp::Open, 2, MMSYSERR_ALLOCATED);
    fresh.Fail(SimSide::In, SimOp::GetDevCaps, 1, MMSYSERR_NODRIVER);
    // Queries count as opens.
    ASSERT_EQ(fresh.waveOutOpen(nullptr, 0, Ex(CdFormat), 0, 0, WAVE_FORMAT_QUERY),
              MMSYSERR_NOERROR);
    HWAVEOUT handle = nullptr;
    EXPECT_EQ(fresh.waveOutOpen(&handle, 0, Ex(CdFormat), quiet.Callback(), 0, CALLBACK_WINDOW),
              MMSYSERR_ALLOCATED);
    EXPECT_EQ(handle, nullptr);
    EXPECT_TRUE(quiet.arrivals.empty());
    EXPECT_EQ(fresh.waveOutOpen(&handle, 0, Ex(CdFormat), quiet.Callback(), 0, CALLBACK_WINDOW),
              MMSYSERR_NOERROR);

    WAVEINCAPSA caps{};
    EXPECT_EQ(fresh.waveInGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_NODRIVER);
    EXPECT_EQ(caps.szPname[0], '\0');
    EXPECT_EQ(fresh.waveInGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_NOERROR);
}
