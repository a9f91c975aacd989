// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

PCMWAVEFORMAT Pcm(const PcmLayout& layout)
{
    PCMWAVEFORMAT format{};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = static_cast<WORD>(layout.channels);
    format.wf.nSamplesPerSec = layout.rate;
    format.wf.nBlockAlign = static_cast<WORD>(layout.channels * layout.bits / 8);
    format.wf.nAvgBytesPerSec = layout.rate * format.wf.nBlockAlign;
    format.wBitsPerSample = static_cast<WORD>(layout.bits);
    return format;
}

LPCWAVEFORMATEX AsFormat(const PCMWAVEFORMAT& format)
{
    return reinterpret_cast<LPCWAVEFORMATEX>(&format);
}

Block::Block(std::size_t size) : data(size)
{
    header.lpData = data.data();
    header.dwBufferLength = static_cast<DWORD>(size);
}

int FindInDevice(WaveService& service, const std::string& name)
{
    const UINT count = service.waveInGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEINCAPSA caps{};
        if (service.waveInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            name == caps.szPname)
            return static_cast<int>(id);
    }
    return -1;
}

int FindOutDevice(WaveService& service, const std::string& name)
{
    const UINT count = service.waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps{};
        if (service.waveOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            name == caps.szPname)
            return static_cast<int>(id);
    }
    return -1;
}

std::size_t BytesPerSecond(const PcmLayout& layout)
{
    return static_cast<std::size_t>(layout.rate) * layout.channels * layout.bits / 8;
}
