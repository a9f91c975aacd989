// SPDX-License-Identifier: GPL-3.0-or-later
// A waveform-audio service that records every call it passes on, so that tests can check
// which operations the engine made, on which header, in which order.
#pragma once

#include "platform/wave/waveservice.h"

#include <algorithm>
#include <string>
#include <vector>

class ServiceLog : public WaveService {
public:
    struct Call {
        std::string name;
        const WAVEHDR* header;
    };

    explicit ServiceLog(WaveService& inner);

    const std::vector<Call>& Calls() const;
    // The engine prepares its entries in order, so a header's place among those prepared on
    // the side since its device opened is its entry; -1 for one never prepared.
    int InEntry(const WAVEHDR* header) const;
    int OutEntry(const WAVEHDR* header) const;
    // The playback headers with the device now.
    int QueuedOut() const;
    void Clear();
    // The names of the calls made since the last Clear, in order.
    std::vector<std::string> Names() const;
    void Log(const char* name, const WAVEHDR* header = nullptr);

// Every call is logged under its own name, with the header it names, then passed on.
#define PHONODUCT_LOGGED(call, header, ...)                                                   \
    {                                                                                          \
        Log(#call, header);                                                                    \
        return inner.call(__VA_ARGS__);                                                        \
    }
    UINT waveInGetNumDevs() override PHONODUCT_LOGGED(waveInGetNumDevs, nullptr)
    MMRESULT waveInGetDevCapsA(UINT_PTR id, LPWAVEINCAPSA caps, UINT size) override
        PHONODUCT_LOGGED(waveInGetDevCapsA, nullptr, id, caps, size)
    MMRESULT waveInGetErrorTextA(MMRESULT code, LPSTR text, UINT size) override
        PHONODUCT_LOGGED(waveInGetErrorTextA, nullptr, code, text, size)
    MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                        DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) override;
    MMRESULT waveInClose(HWAVEIN h) override PHONODUCT_LOGGED(waveInClose, nullptr, h)
    MMRESULT waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInUnprepareHeader(HWAVEIN h, LPWAVEHDR hdr, UINT size) override
        PHONODUCT_LOGGED(waveInUnprepareHeader, hdr, h, hdr, size)
    MMRESULT waveInAddBuffer(HWAVEIN h, LPWAVEHDR hdr, UINT size) override
        PHONODUCT_LOGGED(waveInAddBuffer, hdr, h, hdr, size)
    MMRESULT waveInStart(HWAVEIN h) override PHONODUCT_LOGGED(waveInStart, nullptr, h)
    MMRESULT waveInReset(HWAVEIN h) override PHONODUCT_LOGGED(waveInReset, nullptr, h)

    UINT waveOutGetNumDevs() override PHONODUCT_LOGGED(waveOutGetNumDevs, nullptr)
    MMRESULT waveOutGetDevCapsA(UINT_PTR id, LPWAVEOUTCAPSA caps, UINT size) override
        PHONODUCT_LOGGED(waveOutGetDevCapsA, nullptr, id, caps, size)
    MMRESULT waveOutGetErrorTextA(MMRESULT code, LPSTR text, UINT size) override
        PHONODUCT_LOGGED(waveOutGetErrorTextA, nullptr, code, text, size)
    MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                         DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) override;
    MMRESULT waveOutClose(HWAVEOUT h) override PHONODUCT_LOGGED(waveOutClose, nullptr, h)
    MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutUnprepareHeader(HWAVEOUT h, LPWAVEHDR hdr, UINT size) override
        PHONODUCT_LOGGED(waveOutUnprepareHeader, hdr, h, hdr, size)
    MMRESULT waveOutWrite(HWAVEOUT h, LPWAVEHDR hdr, UINT size) override
        PHONODUCT_LOGGED(waveOutWrite, hdr, h, hdr, size)
    MMRESULT waveOutReset(HWAVEOUT h) override PHONODUCT_LOGGED(waveOutReset, nullptr, h)
#undef PHONODUCT_LOGGED

private:
    WaveService& inner;
    std::vector<Call> calls;
    std::vector<const WAVEHDR*> inEntries;
    std::vector<const WAVEHDR*> outEntries;
};
