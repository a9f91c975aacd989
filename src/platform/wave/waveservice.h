// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform-audio service as the relay engine and the main window use it. The program
// hands one implementation to everything that needs it: real devices or virtual ones.
// Notifications go to the MessageTarget passed as dwCallback with CALLBACK_WINDOW.
#pragma once

#include "platform/wave/mmsystem.h"

class WaveService {
public:
    virtual ~WaveService() = default;

    virtual UINT waveInGetNumDevs() = 0;
    virtual MMRESULT waveInGetDevCapsA(UINT_PTR uDeviceID, LPWAVEINCAPSA pwic, UINT cbwic) = 0;
    virtual MMRESULT waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) = 0;
    virtual MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) = 0;
    virtual MMRESULT waveInClose(HWAVEIN hwi) = 0;
    virtual MMRESULT waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) = 0;
    virtual MMRESULT waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) = 0;
    virtual MMRESULT waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) = 0;
    virtual MMRESULT waveInStart(HWAVEIN hwi) = 0;
    virtual MMRESULT waveInReset(HWAVEIN hwi) = 0;

    virtual UINT waveOutGetNumDevs() = 0;
    virtual MMRESULT waveOutGetDevCapsA(UINT_PTR uDeviceID, LPWAVEOUTCAPSA pwoc, UINT cbwoc) = 0;
    virtual MMRESULT waveOutGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) = 0;
    virtual MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                 DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen) = 0;
    virtual MMRESULT waveOutClose(HWAVEOUT hwo) = 0;
    virtual MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) = 0;
    virtual MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) = 0;
    virtual MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) = 0;
    virtual MMRESULT waveOutReset(HWAVEOUT hwo) = 0;
};

// The callback window as a service implementation receives it in dwCallback.
inline HWND CallbackWindow(DWORD_PTR dwCallback)
{
    return reinterpret_cast<HWND>(dwCallback);
}
