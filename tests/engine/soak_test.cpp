// SPDX-License-Identifier: GPL-3.0-or-later
// A day of relaying on virtual devices whose clocks drift apart: every played block is
// checked as it plays, and the only departures from the recorded stream allowed are whole
// blocks dropped by an overrun and silences inserted by an underrun, each one counted.
#include "support/simdrive.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>

namespace {
std::atomic<std::uint64_t> allocations{0};

void* Allocate(std::size_t size) noexcept
{
    ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
}

// Every form of operator new and delete, counting the allocations, to show that a running
// relay makes none. All of them, so that no block is freed by another allocator than its own.
void* operator new(std::size_t size)
{
    return AllocateOrThrow(size);
}

void* operator new[](std::size_t size)
{
    return AllocateOrThrow(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

// The compiler takes these frees for ones of memory from its own operator new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

// Each 8-byte word of the capture stream holds its own word number plus one, so a played
// block tells where in the stream it came from, and silence (zero) is never a recorded word.
std::uint64_t WordAt(std::uint64_t position)
{
    return position / 8 + 1;
}

void NumberedSignal(std::uint64_t position, BYTE* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint64_t p = position + i;
        if (p % 8 == 0 && i + 8 <= size) {
            const std::uint64_t word = WordAt(p);
            std::memcpy(data + i, &word, 8);
            i += 7;
        } else {
            data[i] = static_cast<BYTE>(WordAt(p) >> (p % 8 * 8));
        }
    }
}

// Follows the played stream block by block.
class PlayedStream {
public:
    explicit PlayedStream(std::size_t blockSize) : blockSize(blockSize) {}

    void Check(const BYTE* data, std::size_t size)
    {
        std::uint64_t first = 0;
        if (size < 8 || size % 8 != 0) {
            ++corrupt;
            return;
        }
        std::memcpy(&first, data, 8);
        if (first == 0)
            CheckSilence(data, size);
        else
            CheckRecorded(first, data, size);
    }

    std::size_t blockSize;
    std::uint64_t silences = 0;
    std::uint64_t dropped = 0;
    std::uint64_t corrupt = 0;
    std::uint64_t nextBlock = 0;  // the recorded block expected next

private:
    void CheckSilence(const BYTE* data, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            if (data[i] != 0) {
                ++corrupt;
                return;
            }
        }
        ++silences;
    }

    void CheckRecorded(std::uint64_t first, const BYTE* data, std::size_t size)
    {
        const std::uint64_t position = (first - 1) * 8;
        const std::uint64_t block = position / blockSize;
        if (position % blockSize != 0 || block < nextBlock) {
            ++corrupt;
            return;
        }
        for (std::size_t i = 8; i < size; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, data + i, 8);
            if (word != first + i / 8) {
                ++corrupt;
                return;
            }
        }
        dropped += block - nextBlock;
        nextBlock = block + 1;
    }
};

struct Drift {
    const char* name;
    double capturePpm;
    double playbackPpm;
};

void PrintTo(const Drift& drift, std::ostream* os)
{
    *os << drift.name;
}

class Soak : public ::testing::TestWithParam<Drift> {};

TEST_P(Soak, ADayOfRelayDiffersOnlyByCountedWholeBlocks)
{
    SimWaveService sim({SimDevice{"Virtual In"}}, {SimDevice{"Virtual Out"}});
    sim.SetDrift(SimSide::In, GetParam().capturePpm);
    sim.SetDrift(SimSide::Out, GetParam().playbackPpm);
    sim.SetCaptureSignal(NumberedSignal);
    HeadlessRelay relay(sim);
    relay.Configure(44100, true, true, 7);
    const SIZE_T liveBefore = GlobalLiveBlocks();
    ASSERT_TRUE(relay.Start());
    const DuctEngine& engine = relay.Engine();
    PlayedStream stream(static_cast<std::size_t>(engine.BlockLength()));
    std::uint64_t playedBlocks = 0;
    sim.SetPlaybackSink([&](SimTime, const BYTE* data, std::size_t size) {
        stream.Check(data, size);
        ++playedBlocks;
    });

    // The first minute settles the queues' storage; after it nothing may be allocated.
    RunUntil(sim, relay, 60 * SimSecond);
    const std::uint64_t allocationsSettled = allocations;
    ASSERT_GT(allocationsSettled, 0u) << "the count sees the start's allocations";
    constexpr SimTime Day = 24 * 3600 * SimSecond;
    RunUntil(sim, relay, Day);
    EXPECT_EQ(allocations - allocationsSettled, 0u);
    EXPECT_EQ(GlobalLiveBlocks(), liveBefore + 23);

    const std::uint64_t overruns = engine.RelayCounts().overruns;
    const std::uint64_t underruns = engine.RelayCounts().underruns;
    relay.Stop();
    relay.Pump();

    EXPECT_EQ(stream.corrupt, 0u);
    EXPECT_EQ(stream.dropped, overruns);
    EXPECT_EQ(stream.silences, 4 + underruns) << "the pre-roll, then one per underrun";
    EXPECT_EQ(sim.CaptureBytesLost(), 0u);
    // 100 ppm of a day is 8.64 s, some 17 blocks of 0.5 s: capture ahead drops them once
    // the ring is full, capture behind leaves that many gaps to fill with silence.
    const bool captureAhead = GetParam().capturePpm > GetParam().playbackPpm;
    // Ahead, the first six extra blocks only fill the ring.
    EXPECT_GE(captureAhead ? overruns : underruns, captureAhead ? 9u : 16u);
    EXPECT_LE(captureAhead ? overruns : underruns, captureAhead ? 13u : 19u);
    EXPECT_EQ(captureAhead ? underruns : overruns, 0u);
    EXPECT_GE(playedBlocks, 172790u);
    EXPECT_EQ(GlobalLiveBlocks(), liveBefore);
    RecordProperty("overruns", static_cast<int>(overruns));
    RecordProperty("underruns", static_cast<int>(underruns));
}

INSTANTIATE_TEST_SUITE_P(Drifts, Soak,
                         ::testing::Values(Drift{"CaptureAhead", 50, -50},
                                           Drift{"CaptureBehind", -50, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

}
