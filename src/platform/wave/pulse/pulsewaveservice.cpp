// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulsewaveservice.h"
#include "platform/wave/errortext.h"
#include "platform/wave/pulse/devicepresence.h"
#include "platform/wave/pulse/headerrules.h"
#include "platform/wave/pulse/pulsecapture.h"
#include "platform/wave/pulse/pulseformat.h"
#include "platform/wave/pulse/pulseplayback.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr DWORD KnownOpenFlags = WAVE_FORMAT_QUERY | CALLBACK_WINDOW;
// The server converts any PCM format: every device offers all twelve.
constexpr DWORD AllFormats = 0xFFF;
constexpr WORD StereoChannels = 2;

template <typename Caps>
MMRESULT FillCaps(const PulseDeviceEntry& entry, Caps& caps, Caps* target, UINT size)
{
    CopyProductName(entry.description, caps.szPname);
    caps.dwFormats = AllFormats;
    caps.wChannels = StereoChannels;
    std::memcpy(target, &caps, std::min<std::size_t>(size, sizeof caps));
    return MMSYSERR_NOERROR;
}
}

PulseWaveService::PulseWaveService() = default;

PulseWaveService::~PulseWaveService()
{
    // Devices still open go without notifications: nobody is left to receive them.
    PulseLock lock(connection);
    captures.clear();
    playbacks.clear();
}

std::uint64_t PulseWaveService::LoopWakeups()
{
    PulseLock lock(connection);
    return connection.Wakeups();
}

UINT PulseWaveService::CountDevices(bool capture)
{
    PulseLock lock(connection);
    haveSnapshot = connection.EnsureConnected() && TakeDeviceSnapshot(connection, devices);
    if (!haveSnapshot)
        devices = {};
    return static_cast<UINT>(capture ? devices.sources.size() : devices.sinks.size());
}

MMRESULT PulseWaveService::Resolve(bool capture, UINT deviceId, const PulseDeviceEntry*& entry)
{
    CHECK_RULE(connection.LockHeld(), "a device resolved with the lock held");
    if (!connection.EnsureConnected())
        return MMSYSERR_NODRIVER;
    if (!haveSnapshot)
        haveSnapshot = TakeDeviceSnapshot(connection, devices);
    if (!haveSnapshot)
        return MMSYSERR_NODRIVER;
    entry = capture ? FindDevice(devices.sources, devices.defaultSource, deviceId)
                    : FindDevice(devices.sinks, devices.defaultSink, deviceId);
    return entry ? MMSYSERR_NOERROR : MMSYSERR_BADDEVICEID;
}

MMRESULT PulseWaveService::CheckOpen(bool capture, const OpenRequest& request,
                                     pa_sample_spec& sampleSpec, std::string& deviceName)
{
    CHECK_RULE(connection.LockHeld(), "an open checked with the lock held");
    if (!request.format)
        return MMSYSERR_INVALPARAM;
    const PulseDeviceEntry* entry = nullptr;
    const MMRESULT found = Resolve(capture, request.deviceId, entry);
    if (found != MMSYSERR_NOERROR)
        return found;
    if (!ToSampleSpec(request.format, sampleSpec))
        return WAVERR_BADFORMAT;
    // The wave mapper follows the server's default; a chosen device is pinned by name, and
    // the list it was chosen from may be older than the server's devices.
    if (request.deviceId == WAVE_MAPPER) {
        deviceName.clear();
        return MMSYSERR_NOERROR;
    }
    deviceName = entry->name;
    return CheckDevicePresent(connection, capture, deviceName);
}

std::uintptr_t PulseWaveService::NextHandle()
{
    return ++lastHandle;
}

PulseCapture* PulseWaveService::FindCapture(HWAVEIN hwi) const
{
    auto found = captures.find(hwi);
    return found != captures.end() ? found->second.get() : nullptr;
}

PulsePlayback* PulseWaveService::FindPlayback(HWAVEOUT hwo) const
{
    auto found = playbacks.find(hwo);
    return found != playbacks.end() ? found->second.get() : nullptr;
}

UINT PulseWaveService::waveInGetNumDevs()
{
    return CountDevices(true);
}

UINT PulseWaveService::waveOutGetNumDevs()
{
    return CountDevices(false);
}

MMRESULT PulseWaveService::waveInGetDevCapsA(UINT_PTR uDeviceID, LPWAVEINCAPSA pwic, UINT cbwic)
{
    if (!pwic)
        return MMSYSERR_INVALPARAM;
    PulseLock lock(connection);
    const PulseDeviceEntry* entry = nullptr;
    const MMRESULT found = Resolve(true, static_cast<UINT>(uDeviceID), entry);
    if (found != MMSYSERR_NOERROR)
        return found;
    WAVEINCAPSA caps{};
    return FillCaps(*entry, caps, pwic, cbwic);
}

MMRESULT PulseWaveService::waveOutGetDevCapsA(UINT_PTR uDeviceID, LPWAVEOUTCAPSA pwoc,
                                              UINT cbwoc)
{
    if (!pwoc)
        return MMSYSERR_INVALPARAM;
    PulseLock lock(connection);
    const PulseDeviceEntry* entry = nullptr;
    const MMRESULT found = Resolve(false, static_cast<UINT>(uDeviceID), entry);
    if (found != MMSYSERR_NOERROR)
        return found;
    WAVEOUTCAPSA caps{};
    caps.dwSupport = 0;  // no WAVECAPS_SYNC: headers are queued
    return FillCaps(*entry, caps, pwoc, cbwoc);
}

MMRESULT PulseWaveService::waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText)
{
    return CopyWaveErrorText(mmrError, pszText, cchText);
}

MMRESULT PulseWaveService::waveOutGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText)
{
    return CopyWaveErrorText(mmrError, pszText, cchText);
}

MMRESULT PulseWaveService::waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                      DWORD_PTR dwCallback, DWORD_PTR, DWORD fdwOpen)
{
    if (fdwOpen & ~KnownOpenFlags)
        return MMSYSERR_INVALFLAG;
    const bool query = fdwOpen & WAVE_FORMAT_QUERY;
    if (!query && !phwi)
        return MMSYSERR_INVALPARAM;
    PulseLock lock(connection);
    pa_sample_spec sampleSpec{};
    std::string deviceName;
    const MMRESULT checked =
        CheckOpen(true, {uDeviceID, pwfx, fdwOpen}, sampleSpec, deviceName);
    if (checked != MMSYSERR_NOERROR || query)
        return checked;
    const auto handle = reinterpret_cast<HWAVEIN>(NextHandle());
    auto device = std::make_unique<PulseCapture>(connection, sampleSpec, deviceName,
                                                 CallbackWindow(dwCallback),
                                                 reinterpret_cast<WPARAM>(handle));
    const MMRESULT opened = device->Open();
    if (opened != MMSYSERR_NOERROR)
        return opened;
    device->Post(MM_WIM_OPEN, 0);
    captures.emplace(handle, std::move(device));
    *phwi = handle;
    return MMSYSERR_NOERROR;
}

MMRESULT PulseWaveService::waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                       DWORD_PTR dwCallback, DWORD_PTR, DWORD fdwOpen)
{
    if (fdwOpen & ~KnownOpenFlags)
        return MMSYSERR_INVALFLAG;
    const bool query = fdwOpen & WAVE_FORMAT_QUERY;
    if (!query && !phwo)
        return MMSYSERR_INVALPARAM;
    PulseLock lock(connection);
    pa_sample_spec sampleSpec{};
    std::string deviceName;
    const MMRESULT checked =
        CheckOpen(false, {uDeviceID, pwfx, fdwOpen}, sampleSpec, deviceName);
    if (checked != MMSYSERR_NOERROR || query)
        return checked;
    const auto handle = reinterpret_cast<HWAVEOUT>(NextHandle());
    auto device = std::make_unique<PulsePlayback>(connection, sampleSpec, deviceName,
                                                  CallbackWindow(dwCallback),
                                                  reinterpret_cast<WPARAM>(handle));
    const MMRESULT opened = device->Open();
    if (opened != MMSYSERR_NOERROR)
        return opened;
    device->Post(MM_WOM_OPEN, 0);
    playbacks.emplace(handle, std::move(device));
    *phwo = handle;
    return MMSYSERR_NOERROR;
}

MMRESULT PulseWaveService::waveInClose(HWAVEIN hwi)
{
    PulseLock lock(connection);
    PulseCapture* device = FindCapture(hwi);
    if (!device)
        return MMSYSERR_INVALHANDLE;
    if (device->HasQueued())
        return WAVERR_STILLPLAYING;
    device->Post(MM_WIM_CLOSE, 0);
    captures.erase(hwi);
    return MMSYSERR_NOERROR;
}

MMRESULT PulseWaveService::waveOutClose(HWAVEOUT hwo)
{
    PulseLock lock(connection);
    PulsePlayback* device = FindPlayback(hwo);
    if (!device)
        return MMSYSERR_INVALHANDLE;
    if (device->HasQueued())
        return WAVERR_STILLPLAYING;
    device->Post(MM_WOM_CLOSE, 0);
    playbacks.erase(hwo);
    return MMSYSERR_NOERROR;
}

MMRESULT PulseWaveService::waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    PulseLock lock(connection);
    return FindCapture(hwi) ? PrepareHeader(pwh, cbwh) : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    PulseLock lock(connection);
    return FindPlayback(hwo) ? PrepareHeader(pwh, cbwh) : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    PulseLock lock(connection);
    return FindCapture(hwi) ? UnprepareHeader(pwh, cbwh) : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    PulseLock lock(connection);
    return FindPlayback(hwo) ? UnprepareHeader(pwh, cbwh) : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    PulseLock lock(connection);
    PulseCapture* device = FindCapture(hwi);
    return device ? device->Queue(pwh, cbwh) : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    PulseLock lock(connection);
    PulsePlayback* device = FindPlayback(hwo);
    return device ? device->Queue(pwh, cbwh) : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveInStart(HWAVEIN hwi)
{
    PulseLock lock(connection);
    PulseCapture* device = FindCapture(hwi);
    return device ? device->Start() : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveInReset(HWAVEIN hwi)
{
    PulseLock lock(connection);
    PulseCapture* device = FindCapture(hwi);
    return device ? device->Reset() : MMSYSERR_INVALHANDLE;
}

MMRESULT PulseWaveService::waveOutReset(HWAVEOUT hwo)
{
    PulseLock lock(connection);
    PulsePlayback* device = FindPlayback(hwo);
    return device ? device->Reset() : MMSYSERR_INVALHANDLE;
}
