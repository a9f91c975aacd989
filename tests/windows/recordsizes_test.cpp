// SPDX-License-Identifier: GPL-3.0-or-later
// The records' sizes in this build against those that the platform's winmm reads and
// writes: a 32-bit build and a 64-bit one differ in the header alone, and a size that the
// service disagrees with would have it read or write past our records.
#include "platform/wave/mmsystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr UINT HeaderSize = sizeof(void*) == 4 ? 32 : 48;
static_assert(sizeof(WAVEHDR) == HeaderSize);
static_assert(sizeof(WAVEOUTCAPSA) == 52);
static_assert(sizeof(WAVEINCAPSA) == 48);

// The size of the record that `read` writes into room for more: one past the last byte it
// changes, in a buffer of zeros and in one of ones (a byte it writes cannot be both).
UINT WrittenSize(const std::function<MMRESULT(void*, UINT)>& read, UINT room)
{
    std::vector<unsigned char> zeros(room, 0x00), ones(room, 0xFF);
    EXPECT_EQ(read(zeros.data(), room), MMSYSERR_NOERROR);
    EXPECT_EQ(read(ones.data(), room), MMSYSERR_NOERROR);
    UINT size = room;
    while (size > 0 && zeros[size - 1] == 0x00 && ones[size - 1] == 0xFF)
        --size;
    return size;
}

// The service refuses a header one byte short of its own and takes one of ours.
template <typename Handle>
void ExpectHeaderOfOurSize(Handle device, MMRESULT(WINAPI* prepare)(Handle, LPWAVEHDR, UINT),
                           MMRESULT(WINAPI* unprepare)(Handle, LPWAVEHDR, UINT))
{
    char data[4410] = {};
    WAVEHDR header{};
    header.lpData = data;
    header.dwBufferLength = sizeof data;
    EXPECT_EQ(prepare(device, &header, HeaderSize - 1), MMSYSERR_INVALPARAM);
    EXPECT_EQ(prepare(device, &header, HeaderSize), MMSYSERR_NOERROR);
    EXPECT_EQ(unprepare(device, &header, HeaderSize), MMSYSERR_NOERROR);
}
}

TEST(WaveRecords, TheServiceWritesCapabilityRecordsOfOurSize)
{
    const UINT out = WrittenSize([](void* caps, UINT size) {
        return waveOutGetDevCapsA(0, static_cast<LPWAVEOUTCAPSA>(caps), size);
    }, sizeof(WAVEOUTCAPSA) + 16);
    const UINT in = WrittenSize([](void* caps, UINT size) {
        return waveInGetDevCapsA(0, static_cast<LPWAVEINCAPSA>(caps), size);
    }, sizeof(WAVEINCAPSA) + 16);
    std::printf("%u-bit: header %u bytes, playback capabilities %u, capture capabilities %u\n",
                static_cast<unsigned>(8 * sizeof(void*)), HeaderSize, out, in);
    EXPECT_EQ(out, sizeof(WAVEOUTCAPSA));
    EXPECT_EQ(in, sizeof(WAVEINCAPSA));
}

TEST(WaveRecords, TheServiceTakesHeadersOfOurSize)
{
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
    HWAVEOUT out{};
    ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    ExpectHeaderOfOurSize(out, waveOutPrepareHeader, waveOutUnprepareHeader);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);

    HWAVEIN in{};
    ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    ExpectHeaderOfOurSize(in, waveInPrepareHeader, waveInUnprepareHeader);
    EXPECT_EQ(waveInClose(in), MMSYSERR_NOERROR);
}
