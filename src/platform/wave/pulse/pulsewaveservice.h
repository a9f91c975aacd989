// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform-audio service on a PulseAudio server (or PipeWire's pulse server) through
// libpulse: sinks are the playback devices, sources (sink monitors included) the capture
// devices. Connects to the server libpulse finds (PULSE_SERVER when set).
#pragma once

#include "platform/wave/pulse/devicelist.h"
#include "platform/wave/pulse/pulseconnection.h"
#include "platform/wave/waveservice.h"

#include <cstdint>
#include <map>
#include <memory>

class PulseCapture;
class PulsePlayback;

class PulseWaveService : public WaveService {
public:
    PulseWaveService();
    ~PulseWaveService() override;
    PulseWaveService(const PulseWaveService&) = delete;
    PulseWaveService& operator=(const PulseWaveService&) = delete;

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

    // How often the backend's thread has woken so far: it takes the server's messages in
    // batches, so a relay wakes it a few times a block.
    std::uint64_t LoopWakeups();

private:
    struct OpenRequest {
        UINT deviceId;
        LPCWAVEFORMATEX format;
        DWORD flags;
    };

    // Lock held. The snapshot's entry for a device number, taking a snapshot if none exists;
    // on failure the code to return.
    MMRESULT Resolve(bool capture, UINT deviceId, const PulseDeviceEntry*& entry);
    // Lock held. Checks an open request; fills the sample sampleSpec and the device's server name.
    MMRESULT CheckOpen(bool capture, const OpenRequest& request, pa_sample_spec& sampleSpec,
                       std::string& deviceName);
    UINT CountDevices(bool capture);
    PulseCapture* FindCapture(HWAVEIN hwi) const;
    PulsePlayback* FindPlayback(HWAVEOUT hwo) const;
    std::uintptr_t NextHandle();

    PulseConnection connection;
    PulseDeviceList devices;
    bool haveSnapshot = false;
    std::uintptr_t lastHandle = 0;
    std::map<HWAVEIN, std::unique_ptr<PulseCapture>> captures;
    std::map<HWAVEOUT, std::unique_ptr<PulsePlayback>> playbacks;
};
