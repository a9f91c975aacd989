// SPDX-License-Identifier: GPL-3.0-or-later
// The device clock's exact byte/time arithmetic and the capture pattern.
#include "platform/wave/sim/simtimeline.h"
#include "platform/wave/sim/simwaveservice.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <vector>

TEST(SimTimeline, TimesAreExactAndRoundedUpToTheNanosecond)
{
    struct Case {
        std::uint32_t rate;
        double ppm;
        std::uint64_t bytes;
        SimTime expected;
    };
    const Case cases[] = {
        {176400, 0, 88200, 500'000'000},
        {176400, 0, 1, 5669},                    // 5668.93 ns, rounded up
        {176400, 0, 176400ull * 86400, 86400'000'000'000},
        {11025, 0, 3, 272109},                   // 272108.84 ns
        {176400, 100, 176400, 999'900'010},      // 1e9 / 1.0001 = 999900009.999 ns
        {176400, -100, 176400, 1'000'100'011},   // 1e9 / 0.9999 = 1000100010.001 ns
        {176400, 37, 176400ull * 86400, 86'396'803'318'278},  // 86400e9 / 1.000037
    };
    for (const Case& c : cases) {
        SimTimeline clock(c.rate, c.ppm);
        EXPECT_EQ(clock.TimeOf(c.bytes), c.expected) << c.rate << " " << c.ppm << " " << c.bytes;
        EXPECT_EQ(clock.BytesAt(c.expected), c.bytes);
        EXPECT_EQ(clock.BytesAt(c.expected - 1), c.bytes - 1);
    }
}

TEST(SimTimeline, ARestartAndADriftChangeKeepWhatWasStreamed)
{
    SimTimeline clock(176400, 0);
    clock.Restart(7 * 1'000'000'000ll, 1000);
    EXPECT_EQ(clock.TimeOf(1000 + 176400), 8'000'000'000);
    EXPECT_EQ(clock.BytesAt(7'500'000'000), 1000u + 88200);

    clock.SetDrift(100, 7'500'000'000);
    EXPECT_EQ(clock.TimeOf(1000 + 88200), 7'500'000'000);
    EXPECT_EQ(clock.TimeOf(1000 + 88200 + 176400), 7'500'000'000 + 999'900'010);
}

TEST(SimPattern, BlocksDifferAndSplitFillsAgree)
{
    constexpr std::size_t size = 4096;
    std::vector<BYTE> whole(3 * size);
    SimWaveService::PatternSignal(5, whole.data(), whole.size());

    std::vector<BYTE> pieces(whole.size());
    const std::array<std::size_t, 4> cuts{0, 3, 1000, whole.size()};
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
        SimWaveService::PatternSignal(5 + cuts[i], pieces.data() + cuts[i], cuts[i + 1] - cuts[i]);
    EXPECT_EQ(pieces, whole);

    // Neighbouring blocks, and a block shifted by a byte or a word, differ.
    for (std::size_t shift : {1u, 8u, unsigned{size}}) {
        EXPECT_NE(std::memcmp(whole.data(), whole.data() + shift, size), 0) << shift;
    }
    const std::set<BYTE> values(whole.begin(), whole.begin() + size);
    EXPECT_GT(values.size(), 200u);
}
