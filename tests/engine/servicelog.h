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

    UINT waveInGetNumDevs() override;
    MMRESULT waveInGetDevCapsA(UINT_PTR uDeviceID, LPWAVEINCAPSA pwic, UINT cbwic) override;
    MMRESULT waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) override;
    MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                        DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) override;
    MMRESULT waveInClose(HWAVEIN hwi) override;
    MMRESULT waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveInStart(HWAVEIN hwi) override;
    MMRESULT waveInReset(HWAVEIN hwi) override;

    UINT waveOutGetNumDevs() override;
    MMRESULT waveOutGetDevCapsA(UINT_PTR uDeviceID, LPWAVEOUTCAPSA pwoc, UINT cbwoc) override;
    MMRESULT waveOutGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) override;
    MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                         DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) override;
    MMRESULT waveOutClose(HWAVEOUT hwo) override;
    MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) override;
    MMRESULT waveOutReset(HWAVEOUT hwo) override;

private:
    WaveService& inner;
    std::vector<Call> calls;
    std::vector<const WAVEHDR*> inEntries;
    std::vector<const WAVEHDR*> outEntries;
};
