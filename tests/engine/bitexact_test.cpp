// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrig.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Format {
    DWORD rate;
    bool bits16;
    bool stereo;
};

const std::vector<Format> Formats = {
    {11025, false, false}, {11025, false, true}, {11025, true, false}, {11025, true, true},
    {22050, false, false}, {22050, false, true}, {22050, true, false}, {22050, true, true},
    {44100, false, false}, {44100, false, true}, {44100, true, false}, {44100, true, true},
};

void PrintTo(const Format& f, std::ostream* os)
{
    *os << f.rate << (f.bits16 ? " Hz 16-bit " : " Hz 8-bit ") << (f.stereo ? "stereo" : "mono");
}

using Param = std::tuple<Format, int, bool>;  // format, slider position, single mode

class BitExactRelay : public ::testing::TestWithParam<Param> {};

TEST_P(BitExactRelay, PlaysThePreRollThenEveryRecordedByteOnce)
{
    const auto& [format, bufset, single] = GetParam();
    SimRig rig(single);
    ASSERT_TRUE(rig.Start({format.rate, format.bits16, format.stereo, bufset}));
    constexpr int Blocks = 9;
    rig.RunBlocks(Blocks);
    const DuctEngine& e = rig.engine;
    EXPECT_EQ(e.RelayCounts().underruns, 0u);
    EXPECT_EQ(e.RelayCounts().overruns, 0u);
    EXPECT_EQ(rig.sim.CaptureBytesLost(), 0u);
    rig.Stop();

    const std::size_t block = static_cast<std::size_t>(e.BlockLength());
    const std::size_t preRoll = (single ? 1 : 4) * block;
    const BYTE silence = format.bits16 ? 0 : 128;
    const std::vector<BYTE> played = rig.PlayedBytes();
    // Every block that was due has played; the stop cut nothing, as it came between blocks.
    ASSERT_EQ(played.size(), Blocks * block);
    EXPECT_EQ(std::vector<BYTE>(played.begin(), played.begin() + preRoll),
              std::vector<BYTE>(preRoll, silence));
    EXPECT_EQ(std::vector<BYTE>(played.begin() + preRoll, played.end()),
              Recorded(0, played.size() - preRoll));
    // The first recorded byte starts to play exactly when the pre-roll ends.
    const auto& blocks = rig.sim.Played();
    const std::size_t first = single ? 1 : 4;
    ASSERT_GT(blocks.size(), first);
    const SimTime rate = e.SoundFormat().wf.nAvgBytesPerSec;
    const SimTime preRollEnd = (static_cast<SimTime>(preRoll) * SimSecond + rate - 1) / rate;
    EXPECT_EQ(blocks[first].start, preRollEnd);
    EXPECT_EQ(GlobalLiveBlocks(), rig.liveBlocksBefore);
    EXPECT_TRUE(rig.window.Boxes().empty());
}

std::string Name(const ::testing::TestParamInfo<Param>& info)
{
    const auto& [format, bufset, single] = info.param;
    return std::to_string(format.rate) + (format.bits16 ? "_16bit" : "_8bit")
           + (format.stereo ? "_Stereo" : "_Mono") + "_P" + std::to_string(bufset)
           + (single ? "_Single" : "_Queued");
}

INSTANTIATE_TEST_SUITE_P(AllFormats, BitExactRelay,
                         ::testing::Combine(::testing::ValuesIn(Formats),
                                            ::testing::Values(0, 7, 9),
                                            ::testing::Bool()),
                         Name);

}
