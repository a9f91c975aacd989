// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/headlessrelay.h"
#include "support/messagequeue.h"
#include "platform/wave/errortext.h"
#include "platform/wave/sim/simwaveservice.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(MessageQueue, KeepsOrderAcrossGrowth)
{
    MessageQueue queue;
    // Take some first so that the stored messages wrap around when the storage grows.
    for (UINT n = 0; n < 10; ++n)
        queue.Post(n, n, 0);
    for (UINT n = 0; n < 10; ++n)
        ASSERT_EQ(queue.TryTake()->msg, n);
    for (UINT n = 0; n < 100; ++n)
        queue.Post(n, n * 2, -static_cast<LPARAM>(n));
    EXPECT_EQ(queue.Size(), 100u);
    for (UINT n = 0; n < 100; ++n) {
        const auto message = queue.TryTake();
        ASSERT_TRUE(message);
        EXPECT_EQ(message->msg, n);
        EXPECT_EQ(message->wParam, n * 2);
        EXPECT_EQ(message->lParam, -static_cast<LPARAM>(n));
    }
    EXPECT_FALSE(queue.TryTake());
}

TEST(MessageQueue, TakeUntilGivesUpAtTheDeadline)
{
    MessageQueue queue;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(queue.TakeUntil(start + 30ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
}

TEST(MessageQueue, PostsFromOtherThreadsArriveInEachThreadsOrder)
{
    MessageQueue queue;
    constexpr int Threads = 4;
    constexpr UINT PerThread = 5000;
    std::vector<std::thread> posters;
    for (int t = 0; t < Threads; ++t) {
        posters.emplace_back([&queue, t] {
            for (UINT n = 0; n < PerThread; ++n)
                queue.Post(n, static_cast<WPARAM>(t), 0);
        });
    }
    std::array<UINT, Threads> next{};
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    for (UINT taken = 0; taken < Threads * PerThread; ++taken) {
        const auto message = queue.TakeUntil(deadline);
        ASSERT_TRUE(message) << "lost after " << taken;
        ASSERT_EQ(message->msg, next[message->wParam]++);
    }
    for (std::thread& poster : posters)
        poster.join();
    EXPECT_FALSE(queue.TryTake());
}

TEST(HeadlessRelay, PumpForHandlesNotificationsPostedFromAnotherThread)
{
    SimWaveService service({}, {});
    HeadlessRelay relay(service);
    std::thread device([&relay] {
        relay.Window().Handle()->Post(MM_WIM_OPEN, 0, 0);
        relay.Window().Handle()->Post(MM_WOM_OPEN, 0, 0);
    });
    relay.PumpFor(100ms);
    device.join();
    EXPECT_TRUE(relay.Engine().CaptureOpen());
    EXPECT_TRUE(relay.Engine().PlaybackOpen());
    EXPECT_FALSE(relay.Window().IsListEnabled(DeviceList::outputList));
    EXPECT_FALSE(relay.Window().IsListEnabled(DeviceList::inputList));
    EXPECT_EQ(relay.Queue().Size(), 0u);
}

TEST(HeadlessRelay, ConfigureSetsTheOptionsAndReportsUnreadableDevices)
{
    SimWaveService service({SimDevice{"Virtual In"}}, {});
    HeadlessRelay relay(service);
    relay.Configure(22050, true, false, 3, 1, -1);
    const FakeWindow& window = relay.Window();
    EXPECT_FALSE(window.IsChecked(Option::rate44100));
    EXPECT_TRUE(window.IsChecked(Option::rate22050));
    EXPECT_FALSE(window.IsChecked(Option::rate11025));
    EXPECT_TRUE(window.IsChecked(Option::sixteenBits));
    EXPECT_FALSE(window.IsChecked(Option::stereo));
    EXPECT_EQ(window.BlockLengthPosition(), 3);
    EXPECT_EQ(relay.Engine().InDevice(), 1);
    EXPECT_EQ(relay.Engine().OutDevice(), -1);
    ASSERT_EQ(window.Boxes().size(), 2u);
    EXPECT_EQ(window.Boxes()[0].caption, "WaveInGetDevCaps");
    EXPECT_EQ(window.Boxes()[0].text, WaveErrorText(MMSYSERR_BADDEVICEID));
    EXPECT_EQ(window.Boxes()[1].caption, "WaveOutGetDevCaps");
    EXPECT_EQ(window.Boxes()[1].text, WaveErrorText(MMSYSERR_NODRIVER));
    EXPECT_FALSE(relay.Start()) << "no playback device to accept the format";
}

}
