// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ductengine.h"
#include "support/fakewindow.h"
#include "support/messagequeue.h"
#include "platform/wave/sim/simwaveservice.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class FormatTest : public ::testing::Test {
protected:
    void Options(Option rate, bool bits16, bool stereo, int bufset)
    {
        for (auto control : {Option::rate44100, Option::rate22050, Option::rate11025})
            window.SetChecked(control, control == rate);
        window.SetChecked(Option::sixteenBits, bits16);
        window.SetChecked(Option::stereo, stereo);
        window.SetBlockLengthPosition(bufset);
    }

    MessageQueue queue;
    FakeWindow window{&queue};
    // Devices that take every format: the query that reads the options succeeds.
    SimWaveService service{{SimDevice{"In"}}, {SimDevice{"Out"}}};
    DuctEngine engine{service, window};
};

struct BlockCase {
    Option rate;
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
        engine.QueryDevices();
        EXPECT_EQ(engine.SoundFormat().wf.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(engine.SoundFormat().wf.nAvgBytesPerSec, c.bytesPerSecond);
        EXPECT_EQ(engine.SoundFormat().wf.nBlockAlign, c.blockAlign);
        EXPECT_EQ(engine.SoundFormat().wf.nChannels, c.stereo ? 2 : 1);
        EXPECT_EQ(engine.SoundFormat().wBitsPerSample, c.bits16 ? 16 : 8);
        EXPECT_EQ(engine.BlockLength(), c.blockAt[i]) << "position " << positions[i];
        EXPECT_EQ(engine.BlockLength() % c.blockAlign, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rates, BlockSizes,
    ::testing::Values(
        BlockCase{Option::rate44100, true, true, 176400, 4, {211680, 194040, 88200, 52920}},
        BlockCase{Option::rate22050, false, false, 22050, 1, {26460, 24255, 11025, 6615}},
        // 22050 bytes a second in 2-byte frames: odd lengths lose their last byte.
        BlockCase{Option::rate11025, true, false, 22050, 2, {26460, 24254, 11024, 6614}},
        BlockCase{Option::rate11025, false, true, 22050, 2, {26460, 24254, 11024, 6614}},
        BlockCase{Option::rate11025, false, false, 11025, 1, {13230, 12127, 5512, 3307}}));

TEST_F(FormatTest, WithNoRateCheckedTheRateOfTheLastCallStays)
{
    Options(Option::rate44100, true, true, 7);
    window.SetChecked(Option::rate44100, false);
    engine.QueryDevices();
    EXPECT_EQ(engine.SoundFormat().wf.nSamplesPerSec, 0u);
    EXPECT_EQ(engine.SoundFormat().wf.nAvgBytesPerSec, 0u);
    EXPECT_EQ(engine.BlockLength(), 0);

    Options(Option::rate22050, true, true, 7);
    engine.QueryDevices();
    window.SetChecked(Option::rate22050, false);
    engine.QueryDevices();
    EXPECT_EQ(engine.SoundFormat().wf.nSamplesPerSec, 22050u);
}

TEST_F(FormatTest, TheLastCheckedRateButtonWins)
{
    Options(Option::rate44100, false, false, 7);
    window.SetChecked(Option::rate11025, true);
    engine.QueryDevices();
    EXPECT_EQ(engine.SoundFormat().wf.nSamplesPerSec, 11025u);
}

TEST_F(FormatTest, DisablesTheFiveOptionControlsWhateverTheirState)
{
    Options(Option::rate22050, false, true, 3);
    engine.QueryDevices();
    for (auto control : {Option::rate44100, Option::rate22050, Option::rate11025,
                         Option::sixteenBits, Option::stereo})
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
    SimWaveService devices({SimDevice{"In", GetParam().in}}, {SimDevice{"Out", GetParam().out}});
    DuctEngine chosen(devices, window);
    chosen.SelectInDevice(0);
    chosen.SelectOutDevice(0);
    std::array<bool, 9> flags{};
    std::size_t row = 0;
    for (Option rate : {Option::rate11025, Option::rate22050, Option::rate44100})
        for (Option form : {rate, Option::sixteenBits, Option::stereo})
            flags[row++] = chosen.Allows(rate, form);
    EXPECT_EQ(flags, GetParam().flags);
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
