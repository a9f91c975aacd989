// SPDX-License-Identifier: GPL-3.0-or-later
// Single calls to the two devices, each checked, and the message box for a failed one.
#include "engine/ductengine.h"
#include "platform/sleep.h"

#include <array>

namespace {
constexpr UINT ErrorTextLength = 255;

UINT DeviceNumber(int deviceId)
{
    // -1 is WAVE_MAPPER.
    return static_cast<UINT>(deviceId);
}

// A device or server that went away fails every later call with the same code.
bool DeviceGone(MMRESULT code)
{
    return code == MMSYSERR_NODRIVER || code == MMSYSERR_BADDEVICEID;
}
}

LPCWAVEFORMATEX DuctEngine::Format() const
{
    // The service reads a PCM record through the extended record's leading fields.
    return reinterpret_cast<LPCWAVEFORMATEX>(&PcmFormat);
}

DWORD_PTR DuctEngine::Callback()
{
    return reinterpret_cast<DWORD_PTR>(window.Handle());
}

bool DuctEngine::CheckError(MMRESULT code, LPCSTR caption, ErrorTextCall errorText, bool held)
{
    if (code == MMSYSERR_NOERROR)
        return false;
    // A held side's device is gone and fails every call alike: its one box has been shown.
    if (held)
        return true;
    Entry entry(*this);
    std::array<CHAR, ErrorTextLength> text{};
    const bool known = (service.*errorText)(code, text.data(), ErrorTextLength) == MMSYSERR_NOERROR;
    window.ShowMessage(known ? text.data() : "エラーです", caption);
    return true;
}

bool DuctEngine::CheckInError(MMRESULT code, LPCSTR caption)
{
    return CheckError(code, caption, &WaveService::waveInGetErrorTextA, InHeld);
}

bool DuctEngine::CheckOutError(MMRESULT code, LPCSTR caption)
{
    return CheckError(code, caption, &WaveService::waveOutGetErrorTextA, OutHeld);
}

void DuctEngine::SelectInDevice(int deviceId)
{
    InDeviceId = deviceId;
    CheckInError(service.waveInGetDevCapsA(DeviceNumber(deviceId), &InCaps, sizeof InCaps),
                 "WaveInGetDevCaps");
    UpdateCaps();
}

void DuctEngine::SelectOutDevice(int deviceId)
{
    OutDeviceId = deviceId;
    CheckOutError(service.waveOutGetDevCapsA(DeviceNumber(deviceId), &OutCaps, sizeof OutCaps),
                  "WaveOutGetDevCaps");
    UpdateCaps();
}

bool DuctEngine::QueryDevices()
{
    Entry entry(*this);
    SetupFormat();
    const MMRESULT in = service.waveInOpen(nullptr, DeviceNumber(InDeviceId), Format(), 0, 0,
                                           WAVE_FORMAT_QUERY);
    if (CheckInError(in, "In Device Query"))
        return false;
    const MMRESULT out = service.waveOutOpen(nullptr, DeviceNumber(OutDeviceId), Format(), 0, 0,
                                             WAVE_FORMAT_QUERY);
    return !CheckOutError(out, "Out Device Query");
}

bool DuctEngine::OpenIn()
{
    Entry entry(*this);
    const MMRESULT result = service.waveInOpen(&WaveInHandle, DeviceNumber(InDeviceId), Format(),
                                               Callback(), 0, CALLBACK_WINDOW);
    return !CheckInError(result, "In Device Open");
}

bool DuctEngine::OpenOut()
{
    Entry entry(*this);
    const MMRESULT result = service.waveOutOpen(&WaveOutHandle, DeviceNumber(OutDeviceId),
                                                Format(), Callback(), 0, CALLBACK_WINDOW);
    return !CheckOutError(result, "Out Device Open");
}

void DuctEngine::StartIn()
{
    Entry entry(*this);
    CheckInError(service.waveInStart(WaveInHandle), "Wave In Start");
}

void DuctEngine::ResetIn()
{
    Entry entry(*this);
    // Cleared first: the headers the reset returns are not to be handled.
    InOpen = false;
    CheckInError(service.waveInReset(WaveInHandle), "Wave In Reset");
}

void DuctEngine::ResetOut()
{
    Entry entry(*this);
    OutOpen = false;
    CheckOutError(service.waveOutReset(WaveOutHandle), "Wave Out Reset");
}

void DuctEngine::CloseIn()
{
    Entry entry(*this);
    CheckInError(service.waveInClose(WaveInHandle), "Wave In Close");
}

void DuctEngine::CloseOut()
{
    Entry entry(*this);
    CheckOutError(service.waveOutClose(WaveOutHandle), "Wave Out Close");
}

void DuctEngine::PrepareIn(int i)
{
    Entry operation(*this);
    HeaderEntry& entry = Buffers.InHeaders[i];
    entry.Header->dwFlags = 0;
    Sleep(0);
    const MMRESULT result =
        service.waveInPrepareHeader(WaveInHandle, entry.Header, Buffers.InHeaderSize);
    entry.Prepared = !CheckInError(result, "InSetBuffer");
    entry.Queued = false;
    InHeld |= DeviceGone(result);
}

void DuctEngine::AddIn(int i)
{
    Entry operation(*this);
    HeaderEntry& entry = Buffers.InHeaders[i];
    if (!entry.Prepared)
        return;
    const MMRESULT result =
        service.waveInAddBuffer(WaveInHandle, entry.Header, Buffers.InHeaderSize);
    entry.Queued = !CheckInError(result, "InAddBuffer");
    InHeld |= DeviceGone(result);
}

void DuctEngine::UnprepareIn(int i)
{
    Entry operation(*this);
    HeaderEntry& entry = Buffers.InHeaders[i];
    if (entry.Prepared) {
        const MMRESULT result =
            service.waveInUnprepareHeader(WaveInHandle, entry.Header, Buffers.InHeaderSize);
        CheckInError(result, "InUnSetBuffer");
        InHeld |= DeviceGone(result);
    }
    entry.Prepared = false;
    entry.Queued = false;
}

void DuctEngine::PrepareOut(int i)
{
    Entry operation(*this);
    HeaderEntry& entry = Buffers.OutHeaders[i];
    entry.Header->dwFlags = 0;
    const MMRESULT result =
        service.waveOutPrepareHeader(WaveOutHandle, entry.Header, Buffers.OutHeaderSize);
    entry.Prepared = !CheckOutError(result, "OutSetBuffer");
    entry.Queued = false;
    OutHeld |= DeviceGone(result);
}

void DuctEngine::WriteOut(int i)
{
    Entry operation(*this);
    HeaderEntry& entry = Buffers.OutHeaders[i];
    if (!entry.Prepared)
        return;
    const MMRESULT result =
        service.waveOutWrite(WaveOutHandle, entry.Header, Buffers.OutHeaderSize);
    entry.Queued = !CheckOutError(result, "OutAddBuffer");
    OutHeld |= DeviceGone(result);
}

void DuctEngine::UnprepareOut(int i)
{
    Entry operation(*this);
    HeaderEntry& entry = Buffers.OutHeaders[i];
    if (entry.Prepared) {
        const MMRESULT result =
            service.waveOutUnprepareHeader(WaveOutHandle, entry.Header, Buffers.OutHeaderSize);
        CheckOutError(result, "OutUnSetBuffer");
        OutHeld |= DeviceGone(result);
    }
    entry.Prepared = false;
    entry.Queued = false;
}
