// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrig.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

// A request for more memory than there is must come back empty, not end the test.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}
extern "C" const char* __tsan_default_options()
{
    return "allocator_may_return_null=1";
}

namespace {

using Box = std::pair<std::string, std::string>;

class Buffers : public ::testing::Test {
protected:
    Buffers()
    {
        rig.window.SetChecked(OptionControl::RB2205, true);
        rig.window.SetChecked(OptionControl::CB_16bit, true);
        rig.window.SetBufsetPosition(0);
        rig.engine.SetupFormat();
    }

    // Every handle in release order.
    std::vector<HGLOBAL> Handles() const
    {
        const DuctEngine& e = rig.engine;
        std::vector<HGLOBAL> handles;
        for (int i = 0; i < DuctEngine::HeaderCount; ++i)
            handles.insert(handles.end(), {e.InDataHandle[i], e.InHeaderHandle[i],
                                           e.OutDataHandle[i], e.OutHeaderHandle[i]});
        handles.insert(handles.end(), e.Ring.RingHandle.begin(), e.Ring.RingHandle.end());
        return handles;
    }

    std::vector<Box> Boxes() const
    {
        std::vector<Box> boxes;
        for (const FakeWindow::Box& box : rig.window.Boxes())
            boxes.emplace_back(box.text, box.caption);
        return boxes;
    }

    SimRig rig;
};

TEST_F(Buffers, AllocationGivesEveryHeaderItsOwnBlockOfTheBlockSize)
{
    DuctEngine& e = rig.engine;
    e.Ring.PutPos = 3;
    e.Ring.GetPos = 5;
    ASSERT_TRUE(e.AllocBuffers());
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore + 23);
    std::set<const char*> blocks;
    for (const auto* side : {&e.InHeaders, &e.OutHeaders}) {
        for (const HeaderEntry& entry : *side) {
            ASSERT_NE(entry.Header, nullptr);
            EXPECT_FALSE(entry.Prepared);
            EXPECT_FALSE(entry.Queued);
            EXPECT_EQ(entry.Header->dwBufferLength, static_cast<DWORD>(e.BlockSize));
            blocks.insert(entry.Header->lpData);
        }
    }
    for (int s = 0; s < BlockRing::Slots; ++s) {
        EXPECT_TRUE(e.Ring.RingFree[s]);
        blocks.insert(e.Ring.RingData[s]);
    }
    EXPECT_EQ(blocks.size(), 15u) << "every block distinct";
    EXPECT_EQ(e.InHeaderSize, sizeof(WAVEHDR));
    EXPECT_EQ(e.OutHeaderSize, sizeof(WAVEHDR));
    EXPECT_EQ(e.Ring.PutPos, 3) << "positions are the start's business";
    EXPECT_EQ(e.Ring.GetPos, 5);

    e.FreeBuffers();
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    EXPECT_TRUE(rig.window.Boxes().empty());
}

TEST_F(Buffers, EveryReleaseThatFailsIsReportedInReleaseOrder)
{
    ASSERT_TRUE(rig.engine.AllocBuffers());
    const std::vector<HGLOBAL> handles = Handles();
    FailNextGlobalFrees(static_cast<int>(handles.size()));
    rig.engine.FreeBuffers();

    const std::string buffer = "バッファの削除ができません";
    std::vector<Box> expected;
    for (int i = 0; i < DuctEngine::HeaderCount; ++i) {
        expected.insert(expected.end(), {{buffer, "WaveInBuf Unlock"},
                                         {buffer, "WaveIn Unlock"},
                                         {buffer, "WaveOutBuf Unlock"},
                                         {buffer, "WaveOut Unlock"}});
    }
    expected.insert(expected.end(), BlockRing::Slots, {"wDataの削除ができません", "wData Unlock"});
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore + handles.size());
    for (HGLOBAL handle : handles)
        GlobalFree(handle);
}

TEST_F(Buffers, AFailedReleaseDoesNotStopTheOthers)
{
    ASSERT_TRUE(rig.engine.AllocBuffers());
    const HGLOBAL first = rig.engine.InDataHandle[0];
    FailNextGlobalFrees(1);
    rig.engine.FreeBuffers();
    EXPECT_EQ(Boxes(), (std::vector<Box>{{"バッファの削除ができません", "WaveInBuf Unlock"}}));
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore + 1);
    GlobalFree(first);
}

TEST_F(Buffers, AHandleThatWillNotUnlockIsLeftAloneAndNotReported)
{
    ASSERT_TRUE(rig.engine.AllocBuffers());
    const HGLOBAL slot = rig.engine.Ring.RingHandle[2];
    GlobalUnlock(slot);
    rig.engine.FreeBuffers();
    EXPECT_TRUE(rig.window.Boxes().empty());
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore + 1);
    GlobalFree(slot);
}

TEST_F(Buffers, FailedAllocationIsNoticedAndWhatWasAllocatedCanBeReleased)
{
    rig.engine.BlockSize = -1;
    EXPECT_FALSE(rig.engine.AllocBuffers());
    rig.engine.FreeBuffers();
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    EXPECT_TRUE(rig.window.Boxes().empty());
}

TEST_F(Buffers, ReleasingTwiceReleasesNothingTwice)
{
    ASSERT_TRUE(rig.engine.AllocBuffers());
    rig.engine.FreeBuffers();
    rig.engine.FreeBuffers();
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    EXPECT_TRUE(rig.window.Boxes().empty());
}

}
