// SPDX-License-Identifier: GPL-3.0-or-later
// The records must keep the platform's field order: devices and stored data rely on offsets.
#include "platform/wave/mmsystem.h"

#include <gtest/gtest.h>

#include <cstddef>

TEST(WaveRecords, PcmFormatFieldsSitAtThePlatformsOffsets)
{
    EXPECT_EQ(offsetof(PCMWAVEFORMAT, wf.nChannels), 2u);
    EXPECT_EQ(offsetof(PCMWAVEFORMAT, wf.nSamplesPerSec), 4u);
    EXPECT_EQ(offsetof(PCMWAVEFORMAT, wf.nAvgBytesPerSec), 8u);
    EXPECT_EQ(offsetof(PCMWAVEFORMAT, wf.nBlockAlign), 12u);
    EXPECT_EQ(offsetof(PCMWAVEFORMAT, wBitsPerSample), 14u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, wBitsPerSample), offsetof(PCMWAVEFORMAT, wBitsPerSample));
}

TEST(WaveRecords, CapabilityRecordsKeepTheirLayout)
{
    EXPECT_EQ(offsetof(WAVEINCAPSA, szPname), 8u);
    EXPECT_EQ(offsetof(WAVEINCAPSA, dwFormats), 40u);
    EXPECT_EQ(offsetof(WAVEOUTCAPSA, dwFormats), 40u);
    EXPECT_EQ(offsetof(WAVEOUTCAPSA, dwSupport), 48u);
}

TEST(WaveRecords, HeaderFieldsFollowThePlatformsOrder)
{
    EXPECT_LT(offsetof(WAVEHDR, dwBufferLength), offsetof(WAVEHDR, dwBytesRecorded));
    EXPECT_LT(offsetof(WAVEHDR, dwUser), offsetof(WAVEHDR, dwFlags));
    EXPECT_LT(offsetof(WAVEHDR, dwLoops), offsetof(WAVEHDR, lpNext));
    EXPECT_EQ(sizeof(WAVEHDR), 4 * sizeof(void*) + 4 * sizeof(DWORD));
}
