// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/errortext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(WaveErrorText, EveryCodeTheServiceReturnsHasAText)
{
    for (MMRESULT code = MMSYSERR_NOERROR; code <= MMSYSERR_HANDLEBUSY; ++code)
        EXPECT_NE(WaveErrorText(code), nullptr) << code;
    for (MMRESULT code = WAVERR_BADFORMAT; code <= WAVERR_SYNC; ++code)
        EXPECT_NE(WaveErrorText(code), nullptr) << code;
}

TEST(WaveErrorText, TheTextCallFailsForAnUnknownCodeAndLeavesTheBuffer)
{
    char buffer[255] = "untouched";
    EXPECT_EQ(CopyWaveErrorText(999, buffer, sizeof buffer), MMSYSERR_BADERRNUM);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(CopyWaveErrorText(MMSYSERR_LASTERROR, buffer, sizeof buffer), MMSYSERR_BADERRNUM);
}

TEST(WaveErrorText, TheTextIsCutToTheBufferAndTerminated)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(CopyWaveErrorText(WAVERR_BADFORMAT, buffer, sizeof buffer), MMSYSERR_NOERROR);
    EXPECT_EQ(std::string(buffer), std::string(WaveErrorText(WAVERR_BADFORMAT)).substr(0, 7));
    EXPECT_EQ(CopyWaveErrorText(WAVERR_BADFORMAT, nullptr, 255), MMSYSERR_INVALPARAM);
}
