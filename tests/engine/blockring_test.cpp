// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/blockring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr DWORD BlockBytes = 64;

// A ring with seven blocks of its own, and capture blocks stamped with the put's number so
// that every get can tell which recorded block it received.
class RingTest : public ::testing::Test {
protected:
    RingTest() : storage(BlockRing::Slots + 64, std::vector<char>(BlockBytes, 0))
    {
        for (int s = 0; s < BlockRing::Slots; ++s) {
            ring.RingData[s] = storage[s].data();
            ring.RingFree[s] = true;
        }
    }

    // Puts a full block whose bytes all hold `stamp`.
    void Put(char stamp, DWORD recorded = BlockBytes)
    {
        auto& block = storage[BlockRing::Slots + nextCapture++];
        block.assign(BlockBytes, stamp);
        WAVEHDR header{};
        header.lpData = block.data();
        header.dwBufferLength = BlockBytes;
        header.dwBytesRecorded = recorded;
        ring.PutBlock(header);
        EXPECT_NE(header.lpData, block.data()) << "the header must leave with another block";
    }

    std::vector<char> Get(bool stopping = false, char previous = '.')
    {
        std::vector<char> out(BlockBytes, previous);
        WAVEHDR header{};
        header.lpData = out.data();
        header.dwBufferLength = BlockBytes;
        ring.GetBlock(header, stopping);
        return out;
    }

    std::vector<std::vector<char>> storage;
    int nextCapture = 0;
    BlockRing ring;
};

std::vector<char> Filled(char value, DWORD count = BlockBytes, char rest = '.')
{
    std::vector<char> out(BlockBytes, rest);
    std::fill_n(out.begin(), count, value);
    return out;
}

TEST_F(RingTest, OnePutThenOneGetMovesTheBlockThrough)
{
    Put('a');
    EXPECT_EQ(Get(), Filled('a'));
    EXPECT_EQ(ring.PutPos, 1);
    EXPECT_EQ(ring.GetPos, 1);
    EXPECT_TRUE(ring.RingFree[0]);
    EXPECT_EQ(ring.Overruns + ring.Underruns, 0u);
}

TEST_F(RingTest, PutExchangesPointersWithoutCopying)
{
    char* former = ring.RingData[0];
    std::vector<char> recorded(BlockBytes, 'r');
    WAVEHDR header{};
    header.lpData = recorded.data();
    header.dwBytesRecorded = BlockBytes;
    ring.PutBlock(header);
    EXPECT_EQ(header.lpData, former);
    EXPECT_EQ(ring.RingData[0], recorded.data());
}

struct OverrunCase {
    int puts;
    char firstGet;
    std::uint64_t overruns;
};

class RingOverrun : public RingTest, public ::testing::WithParamInterface<OverrunCase> {};

TEST_P(RingOverrun, AFullRingDropsItsOldestBlocks)
{
    const auto [puts, firstGet, overruns] = GetParam();
    for (int i = 0; i < puts; ++i)
        Put(static_cast<char>('A' + i));
    EXPECT_EQ(ring.Overruns, overruns);
    EXPECT_EQ(ring.PutPos, puts % BlockRing::Slots);
    EXPECT_EQ(Get(), Filled(firstGet));
}

INSTANTIATE_TEST_SUITE_P(Puts, RingOverrun,
                         ::testing::Values(OverrunCase{1, 'A', 0}, OverrunCase{7, 'A', 0},
                                           OverrunCase{8, 'B', 1}, OverrunCase{14, 'H', 7}));

TEST_F(RingTest, SevenPutsFillEverySlotAndMeetTheReader)
{
    for (int i = 0; i < 7; ++i)
        Put(static_cast<char>('A' + i));
    EXPECT_EQ(ring.PutPos, ring.GetPos);
    for (bool free : ring.RingFree)
        EXPECT_FALSE(free);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Get(), Filled(static_cast<char>('A' + i))) << i;
}

TEST_F(RingTest, AShortRecordingLeavesTheTailOfThePlaybackBlock)
{
    Put('s', 10);
    EXPECT_EQ(Get(false, '.'), Filled('s', 10, '.'));
}

class RingSilence : public RingTest, public ::testing::WithParamInterface<BYTE> {};

TEST_P(RingSilence, AnEmptyRingGivesSilenceWithoutConsumingASlot)
{
    ring.Silence = GetParam();
    EXPECT_EQ(Get(), Filled(static_cast<char>(GetParam())));
    EXPECT_EQ(ring.Underruns, 1u);
    EXPECT_EQ(ring.GetPos, 0);
    Put('x');
    EXPECT_EQ(Get(), Filled('x')) << "the late block is still played, in order";
}

INSTANTIATE_TEST_SUITE_P(SampleWidths, RingSilence, ::testing::Values(BYTE{0}, BYTE{128}));

TEST_F(RingTest, StoppingTakesTheSlotAtGetPosWhateverItHolds)
{
    EXPECT_EQ(Get(true, '.'), Filled('.')) << "a slot never filled copies nothing";
    EXPECT_EQ(ring.GetPos, 1);
    EXPECT_EQ(ring.Underruns, 0u);

    Put('a');   // slot 0
    Put('b');   // slot 1
    EXPECT_EQ(Get(true), Filled('b'));
    EXPECT_EQ(Get(true), Filled('.')) << "slot 2 was never filled";
}

TEST_F(RingTest, AStaleLengthNeverRunsPastTheBlock)
{
    // The slot's block is large enough for the stale length and the playback block sits
    // between guard bytes, so that an overrun shows in any build, not only under ASan.
    constexpr std::size_t Guard = BlockBytes * 4;
    std::vector<char> recorded(BlockBytes * 4, 's');
    std::vector<char> out(Guard + BlockBytes + Guard, 'g');
    ring.RingData[0] = recorded.data();
    ring.RingLength[0] = BlockBytes * 4;
    ring.RingFree[0] = false;
    WAVEHDR header{};
    header.lpData = out.data() + Guard;
    header.dwBufferLength = BlockBytes;
    ring.GetBlock(header, false);

    const auto block = out.begin() + Guard;
    EXPECT_EQ(std::count(block, block + BlockBytes, 's'), BlockBytes);
    EXPECT_EQ(std::count(out.begin(), out.end(), 'g'), 2 * Guard) << "bytes around the block";
}

}  // namespace
