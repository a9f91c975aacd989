// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ductengine.h"
#include "headless/fakewindow.h"
#include "headless/messagequeue.h"
#include "platform/wave/sim/simwaveservice.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class FormatTest : public ::testing::Test {
protected:
    void Options(OptionControl rate, bool bits16, bool stereo, int bufset)
    {
        for (auto control : {OptionControl::RB4410, OptionControl::RB2205, OptionControl::RB1102})
            window.SetChecked(control, control == rate);
        window.SetChecked(OptionControl::CB_16bit, bits16);
        window.SetChecked(OptionControl::CB_Stereo, stereo);
        window.SetBufsetPosition(bufset);
    }

    MessageQueue queue;
    FakeWindow window{&queue};
    SimWaveService service{{}, {}};
    DuctEngine engine{service, window};
};

struct BlockCase {
    OptionControl rate;
    bool bits16;
    bool stereo;
    DWORD bytesPerSecond;
    WORD blockAlign;
    std::array<LONG, 4> blockAt;  // Bufset positions 0, 1, 7, 9
};

class BlockSizes : public FormatTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockSizes, FollowTheSliderInWholeFrames)
{
    const BlockCase c = GetParam();
    const std::array<int, 4> positions = {0, 1, 7, 9};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Options(c.rate, c.bits16, c.stereo, positions[i]);
        engine.SetupFormat();
        EXPECT_EQ(engine.PcmFormat.wf.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(engine.PcmFormat.wf.nAvgBytesPerSec, c.bytesPerSecond);
        EXPECT_EQ(engine.PcmFormat.wf.nBlockAlign, c.blockAlign);
        EXPECT_EQ(engine.PcmFormat.wf.nChannels, c.stereo ? 2 : 1);
        EXPECT_EQ(engine.PcmFormat.wBitsPerSample, c.bits16 ? 16 : 8);
        EXPECT_EQ(engine.BlockSize, c.blockAt[i]) << "position " << positions[i];
        EXPECT_EQ(engine.BlockSize % c.blockAlign, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rates, BlockSizes,
    ::testing::Values(
        BlockCase{OptionControl::RB4410, true, true, 176400, 4, {211680, 194040, 88200, 52920}},
        BlockCase{OptionControl::RB2205, false, false, 22050, 1, {26460, 24255, 11025, 6615}},
        // 22050 bytes a second in 2-byte frames: odd lengths lose their last byte.
        BlockCase{OptionControl::RB1102, true, false, 22050, 2, {26460, 24254, 11024, 6614}},
        BlockCase{OptionControl::RB1102, false, true, 22050, 2, {26460, 24254, 11024, 6614}},
        BlockCase{OptionControl::RB1102, false, false, 11025, 1, {13230, 12127, 5512, 3307}}));

TEST_F(FormatTest, WithNoRateCheckedTheRateOfTheLastCallStays)
{
    Options(OptionControl::RB4410, true, true, 7);
    window.SetChecked(OptionControl::RB4410, false);
    engine.SetupFormat();
    EXPECT_EQ(engine.PcmFormat.wf.nSamplesPerSec, 0u);
    EXPECT_EQ(engine.PcmFormat.wf.nAvgBytesPerSec, 0u);
    EXPECT_EQ(engine.BlockSize, 0);

    Options(OptionControl::RB2205, true, true, 7);
    engine.SetupFormat();
    window.SetChecked(OptionControl::RB2205, false);
    engine.SetupFormat();
    EXPECT_EQ(engine.PcmFormat.wf.nSamplesPerSec, 22050u);
}

TEST_F(FormatTest, TheLastCheckedRateButtonWins)
{
    Options(OptionControl::RB4410, false, false, 7);
    window.SetChecked(OptionControl::RB1102, true);
    engine.SetupFormat();
    EXPECT_EQ(engine.PcmFormat.wf.nSamplesPerSec, 11025u);
}

TEST_F(FormatTest, DisablesTheFiveOptionControlsWhateverTheirState)
{
    Options(OptionControl::RB2205, false, true, 3);
    engine.SetupFormat();
    for (auto control : {OptionControl::RB4410, OptionControl::RB2205, OptionControl::RB1102,
                         OptionControl::CB_16bit, OptionControl::CB_Stereo})
        EXPECT_FALSE(window.IsOptionEnabled(control)) << static_cast<int>(control);
}

struct CapsCase {
    DWORD in;
    DWORD out;
    std::array<bool, 9> flags;
};

class CapsFlags : public FormatTest, public ::testing::WithParamInterface<CapsCase> {};

TEST_P(CapsFlags, ComeFromTheFormatsBothDevicesShare)
{
    engine.InCaps.dwFormats = GetParam().in;
    engine.OutCaps.dwFormats = GetParam().out;
    engine.UpdateCaps();
    EXPECT_EQ(engine.CapsTable, GetParam().flags);
}

constexpr bool T = true;
constexpr bool F = false;

INSTANTIATE_TEST_SUITE_P(
    Devices, CapsFlags,
    ::testing::Values(
        CapsCase{0xFFF, 0xFFF, {T, T, T, T, T, T, T, T, T}},
        CapsCase{0xF00, 0x0F0, {F, F, F, F, F, F, F, F, F}},
        CapsCase{WAVE_FORMAT_1M16, WAVE_FORMAT_1M16 | WAVE_FORMAT_1S08,
                 {T, T, F, F, F, F, F, F, F}},
        // Flags say nothing about 16 bits and stereo together.
        CapsCase{WAVE_FORMAT_1M16 | WAVE_FORMAT_1S08, WAVE_FORMAT_1M16 | WAVE_FORMAT_1S08,
                 {T, T, T, F, F, F, F, F, F}},
        CapsCase{WAVE_FORMAT_2M16 | WAVE_FORMAT_4S08, 0xFFF, {F, F, F, T, T, F, T, F, T}},
        CapsCase{0, 0xFFF, {F, F, F, F, F, F, F, F, F}}));

}  // namespace
