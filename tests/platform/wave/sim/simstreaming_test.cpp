// SPDX-License-Identifier: GPL-3.0-or-later
// Recording and playing on the virtual clock.
#include "simfixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

constexpr DWORD Tenth = CdRate / 10;  // 0.1 s of sound
constexpr SimTime Ms = 1'000'000;
constexpr UINT Size = sizeof(WAVEHDR);

std::vector<char> Pattern(std::uint64_t position, std::size_t size)
{
    std::vector<char> bytes(size);
    SimWaveService::PatternSignal(position, reinterpret_cast<BYTE*>(bytes.data()), size);
    return bytes;
}

std::vector<char> Head(const Block& block, std::size_t size)
{
    return std::vector<char>(block.data.begin(), block.data.begin() + size);
}

class SimStreaming : public SimOpenDevices {
protected:
    void Add(Block& block)
    {
        ASSERT_EQ(service.waveInPrepareHeader(in, &block.header, Size), MMSYSERR_NOERROR);
        ASSERT_EQ(service.waveInAddBuffer(in, &block.header, Size), MMSYSERR_NOERROR);
    }

    void Write(Block& block)
    {
        ASSERT_EQ(service.waveOutPrepareHeader(out, &block.header, Size), MMSYSERR_NOERROR);
        ASSERT_EQ(service.waveOutWrite(out, &block.header, Size), MMSYSERR_NOERROR);
    }

    Block a{Tenth}, b{Tenth}, c{Tenth};
};

}

TEST_F(SimStreaming, CaptureFillsHeadersInQueueOrderFromItsStart)
{
    service.AdvanceTo(Second);
    Add(a);
    Add(b);
    Add(c);
    EXPECT_EQ(service.NextEventTime(), std::nullopt);
    ASSERT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);
    EXPECT_EQ(service.NextEventTime(), Second + 100 * Ms);

    service.AdvanceTo(Second + 250 * Ms);
    ASSERT_EQ(target.arrivals.size(), 2u);
    const LPWAVEHDR order[] = {&a.header, &b.header};
    for (int i = 0; i < 2; ++i) {
        const Arrival& arrival = target.arrivals[i];
        EXPECT_EQ(arrival.msg, MM_WIM_DATA);
        EXPECT_EQ(arrival.wParam, reinterpret_cast<WPARAM>(in));
        EXPECT_EQ(arrival.lParam, reinterpret_cast<LPARAM>(order[i]));
        EXPECT_EQ(arrival.time, Second + (i + 1) * 100 * Ms);
        // Done and filled before the notification went out.
        EXPECT_EQ(arrival.flags, WHDR_DONE | WHDR_PREPARED);
        EXPECT_EQ(arrival.bytesRecorded, Tenth);
    }
    EXPECT_EQ(a.data, Pattern(0, Tenth));
    EXPECT_EQ(b.data, Pattern(Tenth, Tenth));
    EXPECT_EQ(c.header.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
    EXPECT_EQ(service.Now(), Second + 250 * Ms);
    EXPECT_EQ(service.CaptureBytesLost(), 0u);
}

TEST_F(SimStreaming, CaptureKeepsTheLast100MsRecordedWhileNoHeaderIsQueued)
{
    std::vector<std::pair<std::uint64_t, std::size_t>> asked;
    service.SetCaptureSignal([&](std::uint64_t position, BYTE* data, std::size_t size) {
        asked.emplace_back(position, size);
        std::memset(data, 7, size);
    });
    ASSERT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);
    service.AdvanceTo(550 * Ms);
    EXPECT_EQ(service.CaptureBytesLost(), 9u * Tenth / 2);
    Add(a);
    service.AdvanceTo(Second);
    ASSERT_EQ(target.arrivals.size(), 1u);
    EXPECT_EQ(target.arrivals[0].time, 550 * Ms);
    EXPECT_EQ(asked, (std::vector<std::pair<std::uint64_t, std::size_t>>{{9 * Tenth / 2, Tenth}}));
    EXPECT_EQ(a.data[0], 7);
    EXPECT_EQ(service.CaptureBytesLost(), 9u * Tenth / 2 + 7u * Tenth / 2);
    ASSERT_EQ(service.waveInClose(in), MMSYSERR_NOERROR);
    service.AdvanceTo(2 * Second);
    EXPECT_EQ(service.CaptureBytesLost(), 9u * Tenth);
}

TEST_F(SimStreaming, CaptureResetReturnsEveryHeaderWithTheBytesItGot)
{
    Add(a);
    Add(b);
    Add(c);
    ASSERT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);
    service.AdvanceTo(150 * Ms);
    ASSERT_EQ(service.waveInReset(in), MMSYSERR_NOERROR);

    ASSERT_EQ(target.arrivals.size(), 3u);
    EXPECT_EQ(target.arrivals[1].lParam, reinterpret_cast<LPARAM>(&b.header));
    EXPECT_EQ(target.arrivals[1].bytesRecorded, Tenth / 2);
    EXPECT_EQ(target.arrivals[1].flags, WHDR_DONE | WHDR_PREPARED);
    EXPECT_EQ(target.arrivals[2].lParam, reinterpret_cast<LPARAM>(&c.header));
    EXPECT_EQ(target.arrivals[2].bytesRecorded, 0u);
    EXPECT_EQ(target.arrivals[2].flags, WHDR_DONE | WHDR_PREPARED);
    EXPECT_EQ(Head(b, Tenth / 2), Pattern(Tenth, Tenth / 2));
    EXPECT_EQ(service.NextEventTime(), std::nullopt);

    // Stopped: nothing is recorded or lost until the next start, which goes on with the stream.
    service.AdvanceTo(Second);
    EXPECT_EQ(service.CaptureBytesLost(), 0u);
    Add(a);
    ASSERT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);
    EXPECT_EQ(service.NextEventTime(), Second + 100 * Ms);
    service.AdvanceTo(2 * Second);
    EXPECT_EQ(a.data, Pattern(Tenth * 3 / 2, Tenth));
}

TEST_F(SimStreaming, PlaybackPlaysWritesBackToBackAndIdlesWhenDry)
{
    std::memset(a.data.data(), 1, Tenth);
    std::memset(b.data.data(), 2, Tenth);
    service.AdvanceTo(2 * Second);
    Write(a);
    EXPECT_EQ(service.NextEventTime(), 2 * Second + 100 * Ms);
    service.AdvanceTo(2 * Second + 50 * Ms);
    Write(b);
    service.AdvanceTo(3 * Second);
    ASSERT_EQ(target.arrivals.size(), 2u);
    EXPECT_EQ(target.arrivals[0].msg, MM_WOM_DONE);
    EXPECT_EQ(target.arrivals[0].lParam, reinterpret_cast<LPARAM>(&a.header));
    EXPECT_EQ(target.arrivals[0].flags, WHDR_DONE | WHDR_PREPARED);
    EXPECT_EQ(target.arrivals[1].time, 2 * Second + 200 * Ms);

    ASSERT_EQ(service.Played().size(), 2u);
    EXPECT_EQ(service.Played()[0].start, 2 * Second);
    EXPECT_EQ(service.Played()[1].start, 2 * Second + 100 * Ms);
    EXPECT_EQ(service.Played()[1].bytes, std::vector<BYTE>(Tenth, 2));

    ASSERT_EQ(service.waveOutUnprepareHeader(out, &a.header, Size), MMSYSERR_NOERROR);
    Write(a);
    service.AdvanceTo(4 * Second);
    EXPECT_EQ(target.arrivals.back().time, 3 * Second + 100 * Ms);
    EXPECT_EQ(service.Played().back().start, 3 * Second);
}

TEST_F(SimStreaming, PlaybackResetKeepsOnlyWhatHadPlayed)
{
    std::memset(b.data.data(), 2, Tenth);
    Write(a);
    Write(b);
    Write(c);
    service.AdvanceTo(150 * Ms);
    EXPECT_EQ(service.waveOutClose(out), WAVERR_STILLPLAYING);
    ASSERT_EQ(service.waveOutReset(out), MMSYSERR_NOERROR);

    ASSERT_EQ(target.arrivals.size(), 3u);
    EXPECT_EQ(target.arrivals[1].lParam, reinterpret_cast<LPARAM>(&b.header));
    EXPECT_EQ(target.arrivals[2].lParam, reinterpret_cast<LPARAM>(&c.header));
    for (const Arrival& arrival : target.arrivals) {
        EXPECT_EQ(arrival.msg, MM_WOM_DONE);
        EXPECT_EQ(arrival.flags, WHDR_DONE | WHDR_PREPARED);
    }
    ASSERT_EQ(service.Played().size(), 2u);
    EXPECT_EQ(service.Played()[1].start, 100 * Ms);
    EXPECT_EQ(service.Played()[1].bytes, std::vector<BYTE>(Tenth / 2, 2));
    EXPECT_EQ(service.NextEventTime(), std::nullopt);
    EXPECT_EQ(service.waveOutClose(out), MMSYSERR_NOERROR);
}

TEST_F(SimStreaming, EachDeviceKeepsItsOwnStartAndCaptureGoesFirstAtTheSameInstant)
{
    Write(a);
    service.AdvanceTo(30 * Ms);
    Add(b);
    Add(c);
    ASSERT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);
    service.AdvanceTo(230 * Ms);
    ASSERT_EQ(target.arrivals.size(), 3u);
    EXPECT_EQ(target.arrivals[0].msg, MM_WOM_DONE);
    EXPECT_EQ(target.arrivals[0].time, 100 * Ms);
    EXPECT_EQ(target.arrivals[1].msg, MM_WIM_DATA);
    EXPECT_EQ(target.arrivals[1].time, 130 * Ms);

    // Playback written first, recording running: both end at 330 ms, capture is posted first;
    // with a capture lag, playback is.
    for (SimTime lag : {SimTime{0}, 15 * Ms}) {
        service.SetCaptureLag(lag);
        const std::size_t before = target.arrivals.size();
        ASSERT_EQ(service.waveOutUnprepareHeader(out, &a.header, Size), MMSYSERR_NOERROR);
        Write(a);
        Add(b);
        const SimTime end = service.Now() + 100 * Ms;
        service.AdvanceTo(end + lag);
        ASSERT_EQ(target.arrivals.size(), before + 2);
        EXPECT_EQ(target.arrivals[before].msg, lag ? MM_WOM_DONE : MM_WIM_DATA);
        EXPECT_EQ(target.arrivals[before].time, end);
        EXPECT_EQ(target.arrivals[before + 1].time, end + lag);
    }
}

TEST_F(SimStreaming, DriftChangesCompletionTimes)
{
    service.SetDrift(SimSide::In, 100);
    service.SetDrift(SimSide::Out, -100);
    Block second1(CdRate), second2(CdRate);
    Add(second1);
    Write(second2);
    ASSERT_EQ(service.waveInStart(in), MMSYSERR_NOERROR);
    service.AdvanceTo(2 * Second);
    ASSERT_EQ(target.arrivals.size(), 2u);
    EXPECT_EQ(target.arrivals[0].time, 999'900'010);  // 1 s / 1.0001, rounded up
    EXPECT_EQ(target.arrivals[1].time, 1'000'100'011);  // 1 s / 0.9999

    // A change while the device runs applies from then on.
    service.SetDrift(SimSide::Out, 0);
    ASSERT_EQ(service.waveOutUnprepareHeader(out, &second2.header, Size), MMSYSERR_NOERROR);
    Write(second2);
    service.AdvanceTo(2 * Second + 500 * Ms);
    service.SetDrift(SimSide::Out, 1'000'000);  // twice as fast: the second half takes 250 ms
    EXPECT_EQ(service.NextEventTime(), 2 * Second + 750 * Ms);
}

// A day of relaying at 44.1 kHz, 16-bit stereo in 0.5 s blocks, the handlers queueing every
// header again as it returns: nothing may drift, lose a byte or pile up.
TEST(SimSoak, ADayOfBlocksStaysExact)
{
    constexpr DWORD half = CdRate / 2;
    constexpr std::uint64_t blocks = 172800;
    SimWaveService service({{"Line In"}}, {{"Speakers"}});
    service.SetDrift(SimSide::In, 37);
    FakeTarget target(service);
    HWAVEIN in = nullptr;
    HWAVEOUT out = nullptr;
    const DWORD_PTR callback = target.Callback();
    ASSERT_EQ(service.waveInOpen(&in, 0, Ex(CdFormat), callback, 0, CALLBACK_WINDOW), 0u);
    ASSERT_EQ(service.waveOutOpen(&out, 0, Ex(CdFormat), callback, 0, CALLBACK_WINDOW), 0u);

    std::uint64_t captured = 0;
    SimTime lastOfDay = 0;
    bool inPattern = true;
    BYTE expected[8];
    std::uint64_t played = 0;
    bool onTime = true;
    service.SetPlaybackSink([&](SimTime start, const BYTE*, std::size_t size) {
        onTime = onTime && start == static_cast<SimTime>(played) * Second / 2 && size == half;
        ++played;
    });
    target.onPost = [&](const Arrival& arrival) {
        const LPWAVEHDR header = reinterpret_cast<LPWAVEHDR>(arrival.lParam);
        if (arrival.msg == MM_WIM_DATA) {
            SimWaveService::PatternSignal(captured * half, expected, sizeof expected);
            inPattern = inPattern && std::memcmp(header->lpData, expected, sizeof expected) == 0;
            if (++captured == blocks)
                lastOfDay = arrival.time;
            EXPECT_EQ(service.waveInAddBuffer(in, header, Size), 0u);
        } else if (arrival.msg == MM_WOM_DONE) {
            EXPECT_EQ(service.waveOutWrite(out, header, Size), 0u);
        }
        target.arrivals.clear();
    };
    std::vector<std::unique_ptr<Block>> headers;
    for (int i = 0; i < 8; ++i) {
        headers.push_back(std::make_unique<Block>(half));
        WAVEHDR& header = headers.back()->header;
        if (i < 4) {
            ASSERT_EQ(service.waveInPrepareHeader(in, &header, sizeof header), 0u);
            ASSERT_EQ(service.waveInAddBuffer(in, &header, sizeof header), 0u);
        } else {
            ASSERT_EQ(service.waveOutPrepareHeader(out, &header, sizeof header), 0u);
            ASSERT_EQ(service.waveOutWrite(out, &header, sizeof header), 0u);
        }
    }
    ASSERT_EQ(service.waveInStart(in), 0u);
    service.AdvanceTo(86400 * Second);

    EXPECT_EQ(played, blocks);
    EXPECT_TRUE(onTime);
    EXPECT_TRUE(service.Played().empty());
    EXPECT_EQ(lastOfDay, 86'396'803'318'278);  // 86400 s / 1.000037, rounded up
    EXPECT_EQ(captured, 172806u);  // 86400 s * 1.000037 / 0.5 s
    EXPECT_TRUE(inPattern);
    EXPECT_EQ(service.CaptureBytesLost(), 0u);
}
