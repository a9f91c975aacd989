// SPDX-License-Identifier: GPL-3.0-or-later
// The pulse backend's pieces that need no server: header rules, product names, formats, the
// lock's rules.
#include "platform/wave/pulse/devicelist.h"
#include "platform/wave/pulse/headerrules.h"
#include "platform/wave/pulse/pulseconnection.h"
#include "platform/wave/pulse/pulseformat.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
enum class Op { Prepare, Unprepare, Queue };

MMRESULT Apply(Op op, WAVEHDR& header, UINT size)
{
    switch (op) {
    case Op::Prepare: return PrepareHeader(&header, size);
    case Op::Unprepare: return UnprepareHeader(&header, size);
    case Op::Queue: return CheckQueueable(&header, size);
    }
    return MMSYSERR_ERROR;
}

TEST(PulseHeaderRules, CodesAndFlagsFollowThePlatformsRules)
{
    struct Case {
        Op op;
        DWORD before;
        UINT size;
        MMRESULT code;
        DWORD after;
    };
    const UINT full = sizeof(WAVEHDR);
    const Case cases[] = {
        {Op::Prepare, 0, full, MMSYSERR_NOERROR, WHDR_PREPARED},
        {Op::Prepare, WHDR_DONE, full, MMSYSERR_NOERROR, WHDR_PREPARED},
        {Op::Prepare, WHDR_PREPARED, full, MMSYSERR_NOERROR, WHDR_PREPARED},
        {Op::Prepare, WHDR_PREPARED | WHDR_INQUEUE, full, WAVERR_STILLPLAYING,
         WHDR_PREPARED | WHDR_INQUEUE},
        {Op::Prepare, 0, full - 1, MMSYSERR_INVALPARAM, 0},
        {Op::Unprepare, WHDR_PREPARED | WHDR_DONE, full, MMSYSERR_NOERROR, WHDR_DONE},
        {Op::Unprepare, 0, full, MMSYSERR_NOERROR, 0},
        {Op::Unprepare, WHDR_PREPARED | WHDR_INQUEUE, full, WAVERR_STILLPLAYING,
         WHDR_PREPARED | WHDR_INQUEUE},
        {Op::Unprepare, WHDR_PREPARED, 8, MMSYSERR_INVALPARAM, WHDR_PREPARED},
        {Op::Queue, 0, full, WAVERR_UNPREPARED, 0},
        {Op::Queue, WHDR_DONE, full, WAVERR_UNPREPARED, WHDR_DONE},
        {Op::Queue, WHDR_PREPARED | WHDR_INQUEUE, full, WAVERR_STILLPLAYING,
         WHDR_PREPARED | WHDR_INQUEUE},
        {Op::Queue, WHDR_PREPARED, full, MMSYSERR_NOERROR, WHDR_PREPARED},
        {Op::Queue, WHDR_PREPARED, 0, MMSYSERR_INVALPARAM, WHDR_PREPARED},
    };
    for (const Case& c : cases) {
        Block block(16);
        block.header.dwFlags = c.before;
        EXPECT_EQ(Apply(c.op, block.header, c.size), c.code)
            << static_cast<int>(c.op) << " from " << c.before;
        EXPECT_EQ(block.header.dwFlags, c.after) << static_cast<int>(c.op) << " from " << c.before;
    }
    EXPECT_EQ(PrepareHeader(nullptr, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);
    WAVEHDR noData{};
    noData.dwBufferLength = 4;
    EXPECT_EQ(PrepareHeader(&noData, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);
}

TEST(PulseHeaderRules, QueuedAndDoneMarksExcludeEachOther)
{
    Block block(16);
    block.header.dwFlags = WHDR_PREPARED | WHDR_DONE;
    MarkQueued(&block.header);
    EXPECT_EQ(block.header.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
    MarkDone(&block.header);
    EXPECT_EQ(block.header.dwFlags, WHDR_PREPARED | WHDR_DONE);
}

TEST(PulseHeaderRules, AHoleInTheRecordingIsSilenceOfItsLength)
{
    char block[8] = "abcdefg";
    WAVEHDR header{};
    header.lpData = block;
    const BYTE tone[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(Record(header, 8, tone, 2, 0x80), 2u);
    EXPECT_EQ(Record(header, 8, nullptr, 3, 0x80), 3u);
    EXPECT_EQ(Record(header, 8, tone, 5, 0x80), 3u);
    EXPECT_EQ(header.dwBytesRecorded, 8u);
    EXPECT_EQ(std::memcmp(block, "\x01\x02\x80\x80\x80\x01\x02\x03", 8), 0);
}

TEST(PulseProductName, IsCutTo31BytesWithoutSplittingACharacterAndShowsControlsAsSpaces)
{
    struct Case {
        std::string text;
        std::string name;
    };
    const std::string thirty(30, 'a');
    const Case cases[] = {
        {"Test Speakers", "Test Speakers"},
        {std::string(31, 'x'), std::string(31, 'x')},
        {std::string(40, 'x'), std::string(31, 'x')},
        {thirty + "\xC3\xA9", thirty},                       // é would end at byte 32
        {thirty + "e\xC3\xA9", thirty + "e"},
        {std::string(29, 'a') + "\xE2\x82\xAC", std::string(29, 'a')},  // € needs 3 bytes
        {std::string(28, 'a') + "\xE2\x82\xAC", std::string(28, 'a') + "\xE2\x82\xAC"},
        {"", ""},
        {"Tab\tEsc\x1b[1m\x7f", "Tab Esc [1m "},
    };
    for (const Case& c : cases) {
        CHAR name[MAXPNAMELEN];
        std::memset(name, 'z', sizeof name);
        CopyProductName(c.text, name);
        EXPECT_EQ(std::string(name), c.name) << c.text;
    }
}

TEST(PulseFormat, MapsTheServicesPcmFormatsAndRefusesTheRest)
{
    pa_sample_spec sampleSpec{};
    PCMWAVEFORMAT low = Pcm({11025, 8, 1});
    ASSERT_TRUE(ToSampleSpec(AsFormat(low), sampleSpec));
    EXPECT_EQ(sampleSpec.format, PA_SAMPLE_U8);
    EXPECT_EQ(sampleSpec.rate, 11025u);
    EXPECT_EQ(sampleSpec.channels, 1);
    EXPECT_EQ(SilenceByte(sampleSpec), 0x80);

    PCMWAVEFORMAT cd = Pcm({44100, 16, 2});
    ASSERT_TRUE(ToSampleSpec(AsFormat(cd), sampleSpec));
    EXPECT_EQ(sampleSpec.format, PA_SAMPLE_S16LE);
    EXPECT_EQ(sampleSpec.channels, 2);
    EXPECT_EQ(SilenceByte(sampleSpec), 0x00);

    PCMWAVEFORMAT wrongRate = cd;
    wrongRate.wf.nAvgBytesPerSec = 1000;
    PCMWAVEFORMAT zeroRate = Pcm({0, 16, 2});
    EXPECT_FALSE(ToSampleSpec(AsFormat(wrongRate), sampleSpec));
    EXPECT_FALSE(ToSampleSpec(AsFormat(zeroRate), sampleSpec));
    EXPECT_FALSE(ToSampleSpec(nullptr, sampleSpec));
}
// A server call without the backend's lock ends the program, naming the rule.
TEST(PulseRulesDeathTest, ABrokenLockRuleAborts)
{
    ::setenv("PULSE_SERVER", "unix:/nonexistent/phonoduct/native", 1);
    EXPECT_DEATH(
        {
            PulseConnection connection;
            PulseConnection::Hurry hurry(connection);
        },
        "rule broken at .*pulseconnection.cpp.*hurried with the lock held");
    EXPECT_DEATH(PulseConnection().Connected(), "rule broken .*the context read with the lock held");
}

}
