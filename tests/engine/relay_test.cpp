// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;
using Indexes = std::vector<int>;

class RelayTest : public ::testing::TestWithParam<bool> {
protected:
    bool Sync() const { return GetParam(); }
    int QueuedOut() const { return rig.log.QueuedOut(); }

    SimRig rig{Sync()};
};

TEST_P(RelayTest, StartQueuesCaptureAndSilentPreRoll)
{
    ASSERT_TRUE(rig.Start());
    const int preRoll = Sync() ? 1 : 4;
    EXPECT_EQ(QueuedOut(), preRoll);
    for (const ServiceLog::Call& call : rig.log.Calls()) {
        if (call.name != "waveOutWrite")
            continue;
        const WAVEHDR& h = *call.header;
        ASSERT_GE(h.dwBufferLength, static_cast<DWORD>(rig.engine.BlockLength()));
        EXPECT_TRUE(std::all_of(h.lpData, h.lpData + h.dwBufferLength,
                                [](char c) { return static_cast<BYTE>(c) == 128; }))
            << "8-bit silence is the mid level";
    }
    Names expected = {"waveInGetDevCapsA", "waveOutGetDevCapsA", "waveInOpen(query)",
                      "waveOutOpen(query)", "waveInOpen"};
    for (int i = 0; i < 4; ++i)
        expected.insert(expected.end(), {"waveInPrepareHeader", "waveInAddBuffer"});
    expected.insert(expected.end(), {"waveInStart", "waveOutOpen"});
    for (int i = 0; i < preRoll; ++i)
        expected.insert(expected.end(), {"waveOutPrepareHeader", "waveOutWrite"});
    EXPECT_EQ(rig.log.Names(), expected);
    EXPECT_EQ(rig.Entries("waveInAddBuffer"), (Indexes{0, 1, 2, 3}));
    EXPECT_EQ(rig.Entries("waveOutWrite"), Sync() ? Indexes{0} : (Indexes{0, 1, 2, 3}));
    EXPECT_TRUE(rig.window.Boxes().empty());
    rig.Stop();
}

TEST_P(RelayTest, PlaybackEntriesRotate)
{
    ASSERT_TRUE(rig.Start());
    rig.log.Clear();
    for (int n = 0; n < 6; ++n) {
        rig.RunBlocks(1);
        EXPECT_EQ(QueuedOut(), Sync() ? 1 : 4) << "after block " << n;
    }
    // Queued mode refills the header that finished; single mode retires it and queues the next.
    EXPECT_EQ(rig.Entries("waveOutWrite"),
              Sync() ? (Indexes{1, 2, 3, 0, 1, 2}) : (Indexes{0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(rig.Entries("waveOutUnprepareHeader"), (Indexes{0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(rig.Entries("waveInAddBuffer"), (Indexes{0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(rig.engine.RelayCounts().underruns, 0u);
    rig.Stop();
}

// Each device settles after its reset, and both after their close, before the blocks go.
TEST_P(RelayTest, StopPausesAfterEachResetAndUnpreparesFromTheCurrentEntriesThenCloses)
{
    ASSERT_TRUE(rig.Start());
    rig.RunBlocks(2.5);
    rig.log.Clear();
    rig.relay.Stop();
    const Names expected = {"waveInReset", "Sleep", "waveInUnprepareHeader",
                            "waveInUnprepareHeader", "waveInUnprepareHeader",
                            "waveInUnprepareHeader", "waveInClose", "waveOutReset", "Sleep"};
    Names names = rig.log.Names();
    ASSERT_GE(names.size(), expected.size());
    EXPECT_EQ(Names(names.begin(), names.begin() + expected.size()), expected);
    EXPECT_EQ(rig.Entries("waveInUnprepareHeader"), (Indexes{2, 3, 0, 1}));
    // Single mode: only the header last written is still prepared, and it goes back too.
    EXPECT_EQ(rig.Entries("waveOutUnprepareHeader"), Sync() ? Indexes{2} : (Indexes{2, 3, 0, 1}));
    EXPECT_EQ(Names(names.end() - 2, names.end()), (Names{"waveOutClose", "Sleep"}));
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    EXPECT_TRUE(rig.window.Boxes().empty());
}

TEST_P(RelayTest, NotificationsAfterTheResetsAreIgnored)
{
    ASSERT_TRUE(rig.Start());
    rig.RunBlocks(1.5);
    const auto underruns = rig.engine.RelayCounts().underruns;
    rig.relay.Stop();
    // The resets returned every queued header; those notifications are still waiting.
    ASSERT_GE(rig.relay.Queue().Size(), 4u + 1u + 2u);
    rig.log.Clear();
    rig.relay.Pump();
    EXPECT_TRUE(rig.log.Calls().empty());
    EXPECT_EQ(rig.engine.RelayCounts().underruns, underruns);
    EXPECT_TRUE(rig.window.Boxes().empty());
}

TEST_P(RelayTest, DeviceListsFollowTheOpenAndCloseNotifications)
{
    rig.relay.Configure(11025, false, false, 9);
    ASSERT_TRUE(rig.relay.Start());
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::outputList)) << "open not yet handled";
    EXPECT_FALSE(rig.engine.CaptureOpen());
    rig.relay.Pump();
    EXPECT_FALSE(rig.window.IsListEnabled(DeviceList::outputList));
    EXPECT_FALSE(rig.window.IsListEnabled(DeviceList::inputList));
    EXPECT_TRUE(rig.engine.CaptureOpen() && rig.engine.PlaybackOpen());
    rig.relay.Stop();
    EXPECT_FALSE(rig.engine.CaptureOpen() || rig.engine.PlaybackOpen());
    EXPECT_FALSE(rig.window.IsListEnabled(DeviceList::inputList)) << "close not yet handled";
    rig.relay.Pump();
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::outputList));
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::inputList));
}

TEST_P(RelayTest, SecondRelayStartsAtTheFirstEntriesAndSlots)
{
    ASSERT_TRUE(rig.Start());
    // A capture lag leaves a recorded block unread in the ring at the stop.
    rig.sim.SetCaptureLag(rig.Block() / 2);
    rig.RunBlocks(2.75);
    rig.Stop();
    rig.sim.SetCaptureLag(0);
    const std::size_t playedBefore = rig.PlayedBytes().size();

    rig.log.Clear();
    ASSERT_TRUE(rig.Start());
    EXPECT_EQ(rig.Entries("waveInAddBuffer"), (Indexes{0, 1, 2, 3}));
    EXPECT_EQ(rig.Entries("waveOutWrite"), Sync() ? Indexes{0} : (Indexes{0, 1, 2, 3}));
    const int preRoll = Sync() ? 1 : 4;
    rig.RunBlocks(preRoll + 3);
    const std::vector<BYTE> played = rig.PlayedBytes();
    const std::size_t block = static_cast<std::size_t>(rig.engine.BlockLength());
    const std::size_t recordedAt = playedBefore + preRoll * block;
    ASSERT_EQ(played.size(), recordedAt + 3 * block);
    EXPECT_EQ(std::vector<BYTE>(played.begin() + recordedAt, played.end()), Recorded(0, 3 * block));
    EXPECT_EQ(rig.engine.RelayCounts().underruns, 0u);
    rig.Stop();
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

// The platform's own service posts a block's capture notification some 15 ms after the playback
// one that ends with it: the playback entry waits for the block instead of taking silence.
TEST_P(RelayTest, APlaybackNotificationAheadOfItsBlockWaitsForIt)
{
    rig.sim.SetCaptureLag(15 * SimSecond / 1000);
    ASSERT_TRUE(rig.Start());
    rig.RunBlocks(9);
    EXPECT_EQ(rig.engine.RelayCounts().underruns, 0u);
    const std::vector<BYTE> played = rig.PlayedBytes();
    const std::size_t block = static_cast<std::size_t>(rig.engine.BlockLength());
    const std::size_t preRoll = (Sync() ? 1 : 4) * block;
    ASSERT_GE(played.size(), 8 * block);
    EXPECT_EQ(std::vector<BYTE>(played.begin(), played.begin() + preRoll),
              std::vector<BYTE>(preRoll, 128));
    EXPECT_EQ(std::vector<BYTE>(played.begin() + preRoll, played.end()),
              Recorded(0, played.size() - preRoll));
    rig.Stop();
    EXPECT_TRUE(rig.window.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, RelayTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Single" : "Queued"; });

TEST(RelayStart, NoOpenDeviceReleasesItsBlocksAtOnce)
{
    SimRig rig;
    rig.sim.Fail(SimSide::In, SimOp::Open, 2, MMSYSERR_ALLOCATED);
    rig.sim.Fail(SimSide::Out, SimOp::Open, 2, MMSYSERR_ALLOCATED);
    ASSERT_TRUE(rig.Start());
    ASSERT_EQ(rig.window.Boxes().size(), 2u);
    EXPECT_EQ(rig.window.Boxes()[0].caption, "In Device Open");
    EXPECT_EQ(rig.window.Boxes()[1].caption, "Out Device Open");
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

TEST(RelayStart, QueryRefusedByCaptureAsksNoPlaybackDevice)
{
    SimRig rig;
    rig.sim.Fail(SimSide::In, SimOp::Open, 1, WAVERR_BADFORMAT);
    EXPECT_FALSE(rig.Start());
    EXPECT_EQ(rig.log.Names(), (Names{"waveInGetDevCapsA", "waveOutGetDevCapsA",
                                      "waveInOpen(query)", "waveInGetErrorTextA"}));
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    EXPECT_EQ(rig.window.Boxes()[0].caption, "In Device Query");
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

TEST(HeadlessRelayEnd, DestroyingARunningRelayStopsIt)
{
    SimWaveService sim({SimDevice{"Virtual In"}}, {SimDevice{"Virtual Out"}});
    const SIZE_T before = GlobalLiveBlocks();
    {
        HeadlessRelay relay(sim);
        relay.Configure(11025, false, false, 9);
        // Not even the open notifications handled yet.
        ASSERT_TRUE(relay.Start());
        ASSERT_EQ(GlobalLiveBlocks(), before + 23);
    }
    EXPECT_EQ(GlobalLiveBlocks(), before);
    EXPECT_FALSE(sim.NextEventTime()) << "both devices were reset";
}

TEST(HeadlessRelayEnd, StopRightAfterStartStopsBothDevices)
{
    SimRig rig;
    rig.relay.Configure(11025, false, false, 9);
    ASSERT_TRUE(rig.relay.Start());
    rig.relay.Stop();
    EXPECT_FALSE(rig.sim.NextEventTime());
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    rig.relay.Pump();
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::outputList));
    EXPECT_TRUE(rig.window.IsListEnabled(DeviceList::inputList));
    EXPECT_TRUE(rig.window.Boxes().empty());
}

// A capture header that never reached the device is passed over; the others keep the
// stream whole.
struct SkipCase {
    SimOp op;
    const char* caption;
};

void PrintTo(const SkipCase& c, std::ostream* os)
{
    *os << c.caption;
}

class SkippedCaptureHeader : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkippedCaptureHeader, RelayStaysBitExact)
{
    SimRig rig;
    rig.sim.Fail(SimSide::In, GetParam().op, 2, MMSYSERR_NOMEM);
    ASSERT_TRUE(rig.Start());
    EXPECT_EQ(rig.Entries("waveInAddBuffer"), GetParam().op == SimOp::Add ? (Indexes{0, 1, 2, 3})
                                                                           : (Indexes{0, 2, 3}));
    rig.log.Clear();
    rig.RunBlocks(10);
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    EXPECT_EQ(rig.window.Boxes()[0].caption, GetParam().caption);
    EXPECT_EQ(rig.Entries("waveInAddBuffer"), (Indexes{0, 2, 3, 0, 2, 3, 0, 2, 3, 0}));
    const std::vector<BYTE> played = rig.PlayedBytes();
    const std::size_t block = static_cast<std::size_t>(rig.engine.BlockLength());
    ASSERT_EQ(played.size(), 10 * block);
    EXPECT_EQ(std::vector<BYTE>(played.begin() + 4 * block, played.end()), Recorded(0, 6 * block));
    EXPECT_EQ(rig.sim.CaptureBytesLost(), 0u);
    rig.Stop();
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

INSTANTIATE_TEST_SUITE_P(Failures, SkippedCaptureHeader,
                         ::testing::Values(SkipCase{SimOp::Prepare, "InSetBuffer"},
                                           SkipCase{SimOp::Add, "InAddBuffer"}),
                         [](const auto& info) {
                             return info.param.op == SimOp::Add ? "Add" : "Prepare";
                         });

}
