// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/sim/simwaveservice.h"

#include "platform/wave/errortext.h"

#include <utility>

namespace {

template <typename Handle>
UINT_PTR Raw(Handle handle)
{
    return reinterpret_cast<UINT_PTR>(handle);
}

}

SimWaveService::SimWaveService(std::vector<SimDevice> inDevices, std::vector<SimDevice> outDevices)
    : inDevices_(std::move(inDevices)), outDevices_(std::move(outDevices)),
      inStreams_(inDevices_.size()), outStreams_(outDevices_.size()), signal_(PatternSignal)
{
}

void SimWaveService::Fail(SimSide side, SimOp op, int call, MMRESULT code)
{
    faults_.push_back({side, op, call, code});
}

std::optional<MMRESULT> SimWaveService::Injected(SimSide side, SimOp op)
{
    const int call = ++calls_[static_cast<std::size_t>(side)][static_cast<std::size_t>(op)];
    for (const Fault& fault : faults_) {
        if (fault.side == side && fault.op == op && (fault.call == 0 || fault.call == call))
            return fault.code;
    }
    return std::nullopt;
}

void SimWaveService::SetCaptureSignal(Signal signal)
{
    signal_ = signal ? std::move(signal) : Signal(PatternSignal);
}

const std::vector<SimWaveService::PlayedBlock>& SimWaveService::Played() const
{
    return played_;
}

void SimWaveService::SetPlaybackSink(PlaybackSink sink)
{
    sink_ = std::move(sink);
}

std::vector<SimDevice>& SimWaveService::Devices(SimSide side)
{
    return side == SimSide::In ? inDevices_ : outDevices_;
}

SimWaveService::Streams& SimWaveService::StreamsOf(SimSide side)
{
    return side == SimSide::In ? inStreams_ : outStreams_;
}

SimStream* SimWaveService::Find(SimSide side, UINT_PTR handle)
{
    for (std::optional<SimStream>& stream : StreamsOf(side)) {
        if (stream && stream->handle == handle)
            return &*stream;
    }
    return nullptr;
}

UINT SimWaveService::waveInGetNumDevs()
{
    return static_cast<UINT>(inDevices_.size());
}

MMRESULT SimWaveService::waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText)
{
    if (auto fault = Injected(SimSide::In, SimOp::GetErrorText))
        return *fault;
    return CopyWaveErrorText(mmrError, pszText, cchText);
}

MMRESULT SimWaveService::waveInClose(HWAVEIN hwi)
{
    return Close(SimSide::In, Raw(hwi));
}

MMRESULT SimWaveService::waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    return Prepare(SimSide::In, Raw(hwi), pwh, cbwh);
}

MMRESULT SimWaveService::waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    return Unprepare(SimSide::In, Raw(hwi), pwh, cbwh);
}

MMRESULT SimWaveService::waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh)
{
    return Queue(SimSide::In, Raw(hwi), pwh, cbwh);
}

MMRESULT SimWaveService::waveInReset(HWAVEIN hwi)
{
    return Reset(SimSide::In, Raw(hwi));
}

UINT SimWaveService::waveOutGetNumDevs()
{
    return static_cast<UINT>(outDevices_.size());
}

MMRESULT SimWaveService::waveOutGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText)
{
    if (auto fault = Injected(SimSide::Out, SimOp::GetErrorText))
        return *fault;
    return CopyWaveErrorText(mmrError, pszText, cchText);
}

MMRESULT SimWaveService::waveOutClose(HWAVEOUT hwo)
{
    return Close(SimSide::Out, Raw(hwo));
}

MMRESULT SimWaveService::waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return Prepare(SimSide::Out, Raw(hwo), pwh, cbwh);
}

MMRESULT SimWaveService::waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return Unprepare(SimSide::Out, Raw(hwo), pwh, cbwh);
}

MMRESULT SimWaveService::waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh)
{
    return Queue(SimSide::Out, Raw(hwo), pwh, cbwh);
}

MMRESULT SimWaveService::waveOutReset(HWAVEOUT hwo)
{
    return Reset(SimSide::Out, Raw(hwo));
}
