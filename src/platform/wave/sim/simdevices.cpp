// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual devices' capabilities, opening and closing.
#include "platform/wave/sim/simwaveservice.h"

#include "platform/wave/sim/simformat.h"

#include <algorithm>
#include <cstring>

namespace {

// Window notifications are the only kind the program asks for.
constexpr DWORD OpenFlags = WAVE_FORMAT_QUERY | CALLBACK_WINDOW;

bool IsMapper(UINT_PTR id)
{
    // Callers pass WAVE_MAPPER as a UINT or as a pointer-sized -1.
    return id == WAVE_MAPPER || id == static_cast<UINT_PTR>(-1);
}

// A record shorter than the platform's gets its first `size` bytes, as the platform's does.
template <typename Caps>
void FillCaps(const SimDevice& device, DWORD support, Caps* out, UINT size)
{
    Caps caps{};
    const std::size_t length = std::min<std::size_t>(device.name.size(), MAXPNAMELEN - 1);
    std::memcpy(caps.szPname, device.name.data(), length);
    caps.dwFormats = device.formats;
    caps.wChannels = 2;
    if constexpr (requires { caps.dwSupport; })
        caps.dwSupport = support;
    std::memcpy(out, &caps, std::min<std::size_t>(size, sizeof caps));
}

// 100 ms of sound in whole sample frames.
std::uint64_t Backlog(LPCWAVEFORMATEX format)
{
    const DWORD frame = std::max<WORD>(format->nBlockAlign, 1);
    return format->nAvgBytesPerSec / 10 / frame * frame;
}

void StoreHandle(SimSide side, LPVOID out, UINT_PTR handle)
{
    if (side == SimSide::In)
        *static_cast<LPHWAVEIN>(out) = reinterpret_cast<HWAVEIN>(handle);
    else
        *static_cast<LPHWAVEOUT>(out) = reinterpret_cast<HWAVEOUT>(handle);
}

}

MMRESULT SimWaveService::DeviceCaps(SimSide side, UINT_PTR id, SimDevice& caps)
{
    const std::vector<SimDevice>& devices = Devices(side);
    if (!IsMapper(id)) {
        if (id >= devices.size())
            return MMSYSERR_BADDEVICEID;
        caps = devices[id];
        return MMSYSERR_NOERROR;
    }
    if (devices.empty())
        return MMSYSERR_NODRIVER;
    // The mapper may open any of the devices: it reports what at least one of them can do,
    // and synchronous only if every one of them is.
    caps = SimDevice{"Wave Mapper", 0, true};
    for (const SimDevice& device : devices) {
        caps.formats |= device.formats;
        caps.sync = caps.sync && device.sync;
    }
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::waveInGetDevCapsA(UINT_PTR uDeviceID, LPWAVEINCAPSA pwic, UINT cbwic)
{
    if (auto fault = Injected(SimSide::In, SimOp::GetDevCaps))
        return *fault;
    SimDevice device;
    const MMRESULT result = DeviceCaps(SimSide::In, uDeviceID, device);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (!pwic)
        return MMSYSERR_INVALPARAM;
    FillCaps(device, 0, pwic, cbwic);
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::waveOutGetDevCapsA(UINT_PTR uDeviceID, LPWAVEOUTCAPSA pwoc, UINT cbwoc)
{
    if (auto fault = Injected(SimSide::Out, SimOp::GetDevCaps))
        return *fault;
    SimDevice device;
    const MMRESULT result = DeviceCaps(SimSide::Out, uDeviceID, device);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (!pwoc)
        return MMSYSERR_INVALPARAM;
    FillCaps(device, device.sync ? WAVECAPS_SYNC : 0, pwoc, cbwoc);
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::ChooseDevice(SimSide side, UINT id, DWORD format, bool query,
                                      std::size_t& device)
{
    const std::vector<SimDevice>& devices = Devices(side);
    if (!IsMapper(id)) {
        if (id >= devices.size())
            return MMSYSERR_BADDEVICEID;
        if (!(devices[id].formats & format))
            return WAVERR_BADFORMAT;
        device = id;
        return query || !StreamsOf(side)[id] ? MMSYSERR_NOERROR : MMSYSERR_ALLOCATED;
    }
    if (devices.empty())
        return MMSYSERR_NODRIVER;
    MMRESULT result = WAVERR_BADFORMAT;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (!(devices[i].formats & format))
            continue;
        device = i;
        if (query || !StreamsOf(side)[i])
            return MMSYSERR_NOERROR;
        result = MMSYSERR_ALLOCATED;
    }
    return result;
}

MMRESULT SimWaveService::Open(SimSide side, LPVOID handle, UINT id, LPCWAVEFORMATEX format,
                              DWORD_PTR callback, DWORD flags)
{
    if (auto fault = Injected(side, SimOp::Open))
        return *fault;
    if (flags & ~OpenFlags)
        return MMSYSERR_INVALFLAG;
    if (!format)
        return MMSYSERR_INVALPARAM;
    const DWORD bit = PcmFormatBit(format);
    const bool query = flags & WAVE_FORMAT_QUERY;
    std::size_t device = 0;
    const MMRESULT result = ChooseDevice(side, id, bit == WAVE_INVALIDFORMAT ? 0 : bit, query,
                                         device);
    if (result != MMSYSERR_NOERROR || query)
        return result;
    if (!handle)
        return MMSYSERR_INVALPARAM;
    const HWND target = flags & CALLBACK_WINDOW ? CallbackWindow(callback) : nullptr;
    const UINT_PTR value = nextHandle_;
    nextHandle_ += 0x10;
    SimStream& stream = StreamsOf(side)[device].emplace(
        value, target, SimTimeline(format->nAvgBytesPerSec, Drift(side)), Backlog(format));
    StoreHandle(side, handle, value);
    stream.Notify(side == SimSide::In ? MM_WIM_OPEN : MM_WOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                    DWORD_PTR dwCallback, DWORD_PTR, DWORD fdwOpen)
{
    return Open(SimSide::In, phwi, uDeviceID, pwfx, dwCallback, fdwOpen);
}

MMRESULT SimWaveService::waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx,
                                     DWORD_PTR dwCallback, DWORD_PTR, DWORD fdwOpen)
{
    return Open(SimSide::Out, phwo, uDeviceID, pwfx, dwCallback, fdwOpen);
}

MMRESULT SimWaveService::Close(SimSide side, UINT_PTR handle)
{
    if (auto fault = Injected(side, SimOp::Close))
        return *fault;
    SimStream* stream = Find(side, handle);
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (!stream->queue.empty())
        return WAVERR_STILLPLAYING;
    if (side == SimSide::In)
        StopCapture(*stream);
    const HWND target = stream->target;
    for (std::optional<SimStream>& slot : StreamsOf(side)) {
        if (slot && &*slot == stream)
            slot.reset();
    }
    if (target)
        target->Post(side == SimSide::In ? MM_WIM_CLOSE : MM_WOM_CLOSE, handle, 0);
    return MMSYSERR_NOERROR;
}
