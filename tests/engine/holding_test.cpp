// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// While an engine box is open the nested message loop runs: here the test pumps the queue
// from inside the box, and may move the virtual clock on first.
class HeldNotifications : public ::testing::Test {
protected:
    // Index of the first logged call named `name` at or after `from`, or -1.
    int Find(const char* name, std::size_t from = 0) const
    {
        const auto& calls = rig.log.Calls();
        for (std::size_t n = from; n < calls.size(); ++n) {
            if (calls[n].name == name)
                return static_cast<int>(n);
        }
        return -1;
    }

    SimRig rig;
};

TEST_F(HeldNotifications, OpenNotificationsDuringTheStartWaitForItsEnd)
{
    rig.sim.Fail(SimSide::Out, SimOp::Prepare, 1, MMSYSERR_NOMEM);
    int pumped = -1;
    bool openInsideBox = true;
    rig.window.WhileBoxOpen([&](const FakeWindow::Box&) {
        pumped = rig.relay.Pump();
        openInsideBox = rig.engine.CaptureOpen() || rig.engine.PlaybackOpen();
    });
    rig.relay.Configure(11025, false, false, 9);
    ASSERT_TRUE(rig.relay.Start());
    EXPECT_EQ(pumped, 2) << "both open notifications were waiting";
    EXPECT_FALSE(openInsideBox);
    EXPECT_TRUE(rig.engine.CaptureOpen() && rig.engine.PlaybackOpen());
    EXPECT_FALSE(rig.window.IsListEnabled(DeviceList::outputList));
    EXPECT_FALSE(rig.window.IsListEnabled(DeviceList::inputList));
    rig.Stop();
}

TEST_F(HeldNotifications, NotificationsDuringAHeaderOperationAreHandledAfterItInOrder)
{
    ASSERT_TRUE(rig.Start());
    // The add of the first capture handler fails.
    rig.sim.Fail(SimSide::In, SimOp::Add, 5, MMSYSERR_NOMEM);
    std::size_t callsInsideBox = 99;
    rig.window.WhileBoxOpen([&](const FakeWindow::Box&) {
        const std::size_t before = rig.log.Calls().size();
        // The playback notification of the same instant, then a whole block more.
        rig.relay.Pump();
        rig.sim.AdvanceTo(2 * rig.Block());
        rig.relay.Pump();
        callsInsideBox = rig.log.Calls().size() - before;
    });
    rig.log.Clear();
    rig.sim.AdvanceTo(rig.Block());
    rig.relay.Pump();

    EXPECT_EQ(callsInsideBox, 0u) << "no handler ran inside the box";
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    // Capture handler of block 0, then the held playback of block 0, capture of block 1 and
    // playback of block 1, in the order they were posted.
    const int failedAdd = Find("waveInAddBuffer");
    const int firstPlayback = Find("waveOutUnprepareHeader");
    const int secondCapture = Find("waveInUnprepareHeader", failedAdd);
    const int secondPlayback = Find("waveOutUnprepareHeader", firstPlayback + 1);
    ASSERT_GE(failedAdd, 0);
    EXPECT_LT(failedAdd, firstPlayback);
    EXPECT_LT(firstPlayback, secondCapture);
    EXPECT_LT(secondCapture, secondPlayback);
    EXPECT_EQ(rig.engine.RelayCounts().underruns, 0u);
    rig.Stop();
}

TEST_F(HeldNotifications, AHeldHandlerThatShowsABoxHoldsTheRestAgain)
{
    ASSERT_TRUE(rig.Start());
    rig.sim.Fail(SimSide::In, SimOp::Add, 5, MMSYSERR_NOMEM);
    rig.sim.Fail(SimSide::Out, SimOp::Add, 5, MMSYSERR_NOMEM);
    std::vector<std::string> order;
    rig.window.WhileBoxOpen([&](const FakeWindow::Box& box) {
        order.push_back(box.caption);
        if (box.caption == "OutAddBuffer") {
            const std::size_t before = rig.Entries("waveInUnprepareHeader").size();
            rig.sim.AdvanceTo(2 * rig.Block());
            rig.relay.Pump();
            const bool ran = rig.Entries("waveInUnprepareHeader").size() > before;
            order.push_back(ran ? "capture ran" : "capture held");
        } else {
            rig.relay.Pump();
        }
    });
    rig.log.Clear();
    rig.sim.AdvanceTo(rig.Block());
    rig.relay.Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"InAddBuffer", "OutAddBuffer", "capture held"}));
    EXPECT_EQ(rig.Entries("waveInUnprepareHeader"), (std::vector<int>{0, 1}))
        << "the held capture notification ran after the box";
    EXPECT_EQ(rig.relay.Queue().Size(), 0u);
    rig.Stop();
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
}

TEST_F(HeldNotifications, ADeviceChoiceThatFailsHoldsToo)
{
    rig.sim.Fail(SimSide::In, SimOp::GetDevCaps, 1, MMSYSERR_BADDEVICEID);
    rig.relay.Queue().Post(MM_WIM_OPEN, 0, 0);
    bool openInsideBox = true;
    rig.window.WhileBoxOpen([&](const FakeWindow::Box&) {
        rig.relay.Pump();
        openInsideBox = rig.engine.CaptureOpen();
    });
    rig.engine.SelectInDevice(0);
    EXPECT_FALSE(openInsideBox);
    EXPECT_TRUE(rig.engine.CaptureOpen());
    rig.engine.SelectInDevice(0);
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    EXPECT_EQ(rig.window.Boxes()[0].caption, "WaveInGetDevCaps");
}

}
