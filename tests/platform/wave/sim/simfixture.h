// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the virtual-device tests: a message target that snapshots the header a
// notification names at the moment it arrives, PCM formats and blocks.
#pragma once

#include "platform/wave/sim/simwaveservice.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

struct Arrival {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    SimTime time;
    DWORD flags;          // of the named header, when it arrived
    DWORD bytesRecorded;  // likewise
};

class FakeTarget : public MessageTarget {
public:
    explicit FakeTarget(const SimWaveService& service) : service_(service) {}

    void Post(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        Arrival arrival{msg, wParam, lParam, service_.Now(), 0, 0};
        if (const auto* header = reinterpret_cast<const WAVEHDR*>(lParam)) {
            arrival.flags = header->dwFlags;
            arrival.bytesRecorded = header->dwBytesRecorded;
        }
        arrivals.push_back(arrival);
        if (onPost)
            onPost(arrival);
    }

    DWORD_PTR Callback() { return reinterpret_cast<DWORD_PTR>(static_cast<HWND>(this)); }

    std::vector<Arrival> arrivals;
    std::function<void(const Arrival&)> onPost;

private:
    const SimWaveService& service_;
};

// The engine hands a PCMWAVEFORMAT (no cbSize) to the opens; the tests do the same.
inline PCMWAVEFORMAT Pcm(DWORD rate, WORD channels, WORD bits)
{
    PCMWAVEFORMAT format{};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = channels;
    format.wf.nSamplesPerSec = rate;
    format.wf.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.wf.nAvgBytesPerSec = rate * format.wf.nBlockAlign;
    format.wBitsPerSample = bits;
    return format;
}

inline LPCWAVEFORMATEX Ex(const PCMWAVEFORMAT& format)
{
    return reinterpret_cast<LPCWAVEFORMATEX>(&format);
}

// 44.1 kHz, 16-bit stereo: 176400 bytes per second.
inline const PCMWAVEFORMAT CdFormat = Pcm(44100, 2, 16);
constexpr DWORD CdRate = 176400;
constexpr SimTime Second = 1'000'000'000;

struct Block {
    explicit Block(DWORD size) : data(size)
    {
        header.lpData = data.data();
        header.dwBufferLength = size;
    }
    std::vector<char> data;
    WAVEHDR header{};
};

// One capture and one playback device, both open at 44.1 kHz, 16-bit stereo, with the open
// notifications already taken off the target.
class SimOpenDevices : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(service.waveInOpen(&in, 0, Ex(CdFormat), target.Callback(), 0, CALLBACK_WINDOW),
                  MMSYSERR_NOERROR);
        ASSERT_EQ(service.waveOutOpen(&out, 0, Ex(CdFormat), target.Callback(), 0, CALLBACK_WINDOW),
                  MMSYSERR_NOERROR);
        target.arrivals.clear();
    }

    SimWaveService service{{{"Line In"}}, {{"Speakers"}}};
    FakeTarget target{service};
    HWAVEIN in = nullptr;
    HWAVEOUT out = nullptr;
};
