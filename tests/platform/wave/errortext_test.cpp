// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/errortext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

TEST(WaveErrorText, EveryCodeTheServiceReturnsHasATextOfItsOwn)
{
    std::set<std::string> texts;
    std::size_t codes = 0;
    for (auto [first, last] : {std::pair{MMSYSERR_NOERROR, MMSYSERR_HANDLEBUSY},
                               std::pair{WAVERR_BADFORMAT, WAVERR_SYNC}}) {
        for (MMRESULT code = first; code <= last; ++code, ++codes) {
            const char* text = WaveErrorText(code);
            ASSERT_NE(text, nullptr) << code;
            EXPECT_GT(std::strlen(text), 0u) << code;
            texts.insert(text);
        }
    }
    EXPECT_EQ(texts.size(), codes) << "two codes share a text";
}

// An unknown code or no buffer fails and leaves the buffer; a known text is cut to the
// buffer and terminated.
TEST(WaveErrorText, TheTextCallCopiesAKnownTextCutToTheBuffer)
{
    char buffer[8] = "unknown";
    EXPECT_EQ(CopyWaveErrorText(999, buffer, sizeof buffer), MMSYSERR_BADERRNUM);
    EXPECT_EQ(CopyWaveErrorText(MMSYSERR_LASTERROR, buffer, sizeof buffer), MMSYSERR_BADERRNUM);
    EXPECT_EQ(CopyWaveErrorText(WAVERR_BADFORMAT, nullptr, 255), MMSYSERR_INVALPARAM);
    EXPECT_STREQ(buffer, "unknown");
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(CopyWaveErrorText(WAVERR_BADFORMAT, buffer, sizeof buffer), MMSYSERR_NOERROR);
    EXPECT_EQ(std::string(buffer), std::string(WaveErrorText(WAVERR_BADFORMAT)).substr(0, 7));
}
