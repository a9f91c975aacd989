// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/winmm/winmmwaveservice.h"

UINT WinmmWaveService::waveInGetNumDevs()
{
    return ::waveInGetNumDevs();
}

MMRESULT WinmmWaveService::waveInGetDevCapsA(UINT_PTR uDeviceID, LPWAVEINCAPSA pwic, UINT cbwic)
{
    return ::waveInGetDevCapsA(uDeviceID, pwic, cbwic);
}

MMRESULT WinmmWaveService::waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText)
{
    return ::waveInGetErrorTextA(mmrError, pszText, cchText);
}

MMRESULT WinmmWaveService::waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                      DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen)
{
    return ::waveInOpen(phwi, uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT WinmmWaveService::waveInClose(HWAVEIN hwi)
{
    return ::waveInClose(hwi);
}

MMRESULT WinmmWaveService::waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    return ::waveInPrepareHeader(hwi, pwh, cbwh);
}

MMRESULT WinmmWaveService::waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    return ::waveInUnprepareHeader(hwi, pwh, cbwh);
}

MMRESULT WinmmWaveService::waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    return ::waveInAddBuffer(hwi, pwh, cbwh);
}

MMRESULT WinmmWaveService::waveInStart(HWAVEIN hwi)
{
    return ::waveInStart(hwi);
}

MMRESULT WinmmWaveService::waveInReset(HWAVEIN hwi)
{
    return ::waveInReset(hwi);
}

UINT WinmmWaveService::waveOutGetNumDevs()
{
    return ::waveOutGetNumDevs();
}

MMRESULT WinmmWaveService::waveOutGetDevCapsA(UINT_PTR uDeviceID, LPWAVEOUTCAPSA pwoc,
                                              UINT cbwoc)
{
    return ::waveOutGetDevCapsA(uDeviceID, pwoc, cbwoc);
}

MMRESULT WinmmWaveService::waveOutGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText)
{
    return ::waveOutGetErrorTextA(mmrError, pszText, cchText);
}

MMRESULT WinmmWaveService::waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                       DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen)
{
    return ::waveOutOpen(phwo, uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT WinmmWaveService::waveOutClose(HWAVEOUT hwo)
{
    return ::waveOutClose(hwo);
}

MMRESULT WinmmWaveService::waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return ::waveOutPrepareHeader(hwo, pwh, cbwh);
}

MMRESULT WinmmWaveService::waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return ::waveOutUnprepareHeader(hwo, pwh, cbwh);
}

MMRESULT WinmmWaveService::waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return ::waveOutWrite(hwo, pwh, cbwh);
}

MMRESULT WinmmWaveService::waveOutReset(HWAVEOUT hwo)
{
    return ::waveOutReset(hwo);
}
