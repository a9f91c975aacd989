// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/buffers.h"
#include "support/fakewindow.h"
#include "support/messagequeue.h"

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
    // Every handle in release order.
    std::vector<HGLOBAL> Handles() const
    {
        std::vector<HGLOBAL> handles;
        for (int i = 0; i < RelayBuffers::HeaderCount; ++i)
            handles.insert(handles.end(), {buffers.InDataHandle[i], buffers.InHeaderHandle[i],
                                           buffers.OutDataHandle[i], buffers.OutHeaderHandle[i]});
        handles.insert(handles.end(), ring.RingHandle.begin(), ring.RingHandle.end());
        return handles;
    }

    std::vector<Box> Boxes() const
    {
        std::vector<Box> boxes;
        for (const FakeWindow::Box& box : window.Boxes())
            boxes.emplace_back(box.text, box.caption);
        return boxes;
    }

    static constexpr LONG BlockSize = 105840;  // 22.05 kHz, 16 bits, stereo, 1.2 s
    MessageQueue queue;
    FakeWindow window{&queue};
    RelayBuffers buffers;
    BlockRing ring;
    const SIZE_T liveBlocksBefore = GlobalLiveBlocks();
};

TEST_F(Buffers, AllocationGivesEveryHeaderItsOwnBlockOfTheBlockSize)
{
    ring.PutPos = 3;
    ring.GetPos = 5;
    ASSERT_TRUE(buffers.Alloc(BlockSize, ring));
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore + 23);
    std::set<const char*> blocks;
    for (const auto* side : {&buffers.InHeaders, &buffers.OutHeaders}) {
        for (const HeaderEntry& entry : *side) {
            ASSERT_NE(entry.Header, nullptr);
            EXPECT_FALSE(entry.Prepared);
            EXPECT_FALSE(entry.Queued);
            EXPECT_EQ(entry.Header->dwBufferLength, static_cast<DWORD>(BlockSize));
            blocks.insert(entry.Header->lpData);
        }
    }
    for (int s = 0; s < BlockRing::Slots; ++s) {
        EXPECT_TRUE(ring.RingFree[s]);
        blocks.insert(ring.RingData[s]);
    }
    EXPECT_EQ(blocks.size(), 15u) << "every block distinct";
    EXPECT_EQ(buffers.InHeaderSize, sizeof(WAVEHDR));
    EXPECT_EQ(buffers.OutHeaderSize, sizeof(WAVEHDR));
    EXPECT_EQ(ring.PutPos, 3) << "positions are the start's business";
    EXPECT_EQ(ring.GetPos, 5);

    buffers.Free(window, ring);
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore);
    EXPECT_TRUE(window.Boxes().empty());
}

TEST_F(Buffers, EveryReleaseThatFailsIsReportedInReleaseOrder)
{
    ASSERT_TRUE(buffers.Alloc(BlockSize, ring));
    const std::vector<HGLOBAL> handles = Handles();
    FailNextGlobalFrees(static_cast<int>(handles.size()));
    buffers.Free(window, ring);

    const std::string buffer = "バッファの削除ができません";
    std::vector<Box> expected;
    for (int i = 0; i < RelayBuffers::HeaderCount; ++i) {
        expected.insert(expected.end(), {{buffer, "WaveInBuf Unlock"},
                                         {buffer, "WaveIn Unlock"},
                                         {buffer, "WaveOutBuf Unlock"},
                                         {buffer, "WaveOut Unlock"}});
    }
    expected.insert(expected.end(), BlockRing::Slots, {"wDataの削除ができません", "wData Unlock"});
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore + handles.size());
    for (HGLOBAL handle : handles)
        GlobalFree(handle);
}

TEST_F(Buffers, AFailedReleaseDoesNotStopTheOthers)
{
    ASSERT_TRUE(buffers.Alloc(BlockSize, ring));
    const HGLOBAL first = buffers.InDataHandle[0];
    FailNextGlobalFrees(1);
    buffers.Free(window, ring);
    EXPECT_EQ(Boxes(), (std::vector<Box>{{"バッファの削除ができません", "WaveInBuf Unlock"}}));
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore + 1);
    GlobalFree(first);
}

TEST_F(Buffers, AHandleThatWillNotUnlockIsLeftAloneAndNotReported)
{
    ASSERT_TRUE(buffers.Alloc(BlockSize, ring));
    const HGLOBAL slot = ring.RingHandle[2];
    GlobalUnlock(slot);
    buffers.Free(window, ring);
    EXPECT_TRUE(window.Boxes().empty());
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore + 1);
    GlobalFree(slot);
}

TEST_F(Buffers, FailedAllocationIsNoticedAndWhatWasAllocatedCanBeReleased)
{
    EXPECT_FALSE(buffers.Alloc(-1, ring));
    buffers.Free(window, ring);
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore);
    EXPECT_TRUE(window.Boxes().empty());
}

TEST_F(Buffers, ReleasingTwiceReleasesNothingTwice)
{
    ASSERT_TRUE(buffers.Alloc(BlockSize, ring));
    buffers.Free(window, ring);
    buffers.Free(window, ring);
    EXPECT_EQ(GlobalLiveBlocks(), liveBlocksBefore);
    EXPECT_TRUE(window.Boxes().empty());
}

}
