// SPDX-License-Identifier: GPL-3.0-or-later
// Recording and playing on the virtual clock: start, reset and the completion of headers.
#include "platform/wave/sim/simwaveservice.h"

#include <algorithm>

namespace {

void MarkDone(WAVEHDR& header)
{
    header.dwFlags = (header.dwFlags | WHDR_DONE) & ~WHDR_INQUEUE;
}

LPARAM AsParam(LPWAVEHDR header)
{
    return reinterpret_cast<LPARAM>(header);
}

}

SimTime SimWaveService::Now() const
{
    return now_;
}

double SimWaveService::Drift(SimSide side) const
{
    return side == SimSide::In ? inDrift_ : outDrift_;
}

void SimWaveService::SetDrift(SimSide side, double ppm)
{
    (side == SimSide::In ? inDrift_ : outDrift_) = ppm;
    for (std::optional<SimStream>& stream : StreamsOf(side)) {
        if (stream)
            stream->clock.SetDrift(ppm, now_);
    }
}

void SimWaveService::SetCaptureLag(SimTime lag)
{
    captureLag_ = lag;
}

std::uint64_t SimWaveService::Overflow(const SimStream& stream) const
{
    const std::uint64_t waiting = stream.clock.BytesAt(now_) - stream.position;
    return waiting > stream.backlog ? waiting - stream.backlog : 0;
}

std::uint64_t SimWaveService::CaptureBytesLost() const
{
    std::uint64_t lost = lostBytes_;
    for (const std::optional<SimStream>& stream : inStreams_) {
        if (stream && stream->running && stream->queue.empty())
            lost += Overflow(*stream);
    }
    return lost;
}

MMRESULT SimWaveService::waveInStart(HWAVEIN hwi)
{
    if (auto fault = Injected(SimSide::In, SimOp::Start))
        return *fault;
    SimStream* stream = Find(SimSide::In, reinterpret_cast<UINT_PTR>(hwi));
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    // A restarted device goes on with the signal where it stopped.
    if (!stream->running) {
        stream->running = true;
        stream->clock.Restart(now_, stream->position);
    }
    return MMSYSERR_NOERROR;
}

void SimWaveService::StopCapture(SimStream& stream)
{
    if (!stream.running)
        return;
    stream.running = false;
    const std::uint64_t reached = stream.clock.BytesAt(now_);
    // With a capture lag, headers after the front one may hold sound too.
    for (LPWAVEHDR header : stream.queue) {
        const std::uint64_t part = std::min<std::uint64_t>(reached - stream.position,
                                                           header->dwBufferLength);
        if (part == 0)
            break;
        header->dwBytesRecorded = static_cast<DWORD>(part);
        signal_(stream.position, reinterpret_cast<BYTE*>(header->lpData), part);
        stream.position += part;
    }
    lostBytes_ += reached - stream.position;
    stream.position = reached;
}

// The header being played keeps in the record only what had played; the others played nothing.
void SimWaveService::StopPlayback(SimStream& stream)
{
    if (!stream.running)
        return;
    stream.running = false;
    const WAVEHDR& front = *stream.queue.front();
    const std::uint64_t played = std::min<std::uint64_t>(
        stream.clock.BytesAt(now_) - stream.position, front.dwBufferLength);
    stream.position += played;
    if (played > 0)
        Record(stream.frontStart, reinterpret_cast<const BYTE*>(front.lpData), played);
}

MMRESULT SimWaveService::Reset(SimSide side, UINT_PTR handle)
{
    if (auto fault = Injected(side, SimOp::Reset))
        return *fault;
    SimStream* stream = Find(side, handle);
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (side == SimSide::In)
        StopCapture(*stream);
    else
        StopPlayback(*stream);
    // Taken out first: a handler may queue headers again or close the device.
    const std::vector<LPWAVEHDR> returned = std::move(stream->queue);
    stream->queue.clear();
    const HWND target = stream->target;
    const WPARAM device = stream->handle;
    for (LPWAVEHDR header : returned) {
        MarkDone(*header);
        if (target)
            target->Post(side == SimSide::In ? MM_WIM_DATA : MM_WOM_DONE, device, AsParam(header));
    }
    return MMSYSERR_NOERROR;
}

std::optional<SimWaveService::Due> SimWaveService::NextDue() const
{
    std::optional<Due> next;
    for (SimSide side : {SimSide::In, SimSide::Out}) {
        const Streams& streams = side == SimSide::In ? inStreams_ : outStreams_;
        for (std::size_t i = 0; i < streams.size(); ++i) {
            const std::optional<SimStream>& stream = streams[i];
            if (!stream || !stream->running || stream->queue.empty())
                continue;
            const DWORD length = stream->queue.front()->dwBufferLength;
            const SimTime lag = side == SimSide::In ? captureLag_ : 0;
            const SimTime time = std::max(now_,
                                          stream->clock.TimeOf(stream->position + length) + lag);
            // Strictly earlier only: at the same instant capture goes first, then the lower device.
            if (!next || time < next->time)
                next = Due{time, side, i};
        }
    }
    return next;
}

std::optional<SimTime> SimWaveService::NextEventTime() const
{
    const std::optional<Due> next = NextDue();
    return next ? std::optional<SimTime>(next->time) : std::nullopt;
}

void SimWaveService::AdvanceTo(SimTime t)
{
    // One completion at a time: a handler may queue, reset or close before the next one.
    for (std::optional<Due> next = NextDue(); next && next->time <= t; next = NextDue()) {
        now_ = next->time;
        SimStream& stream = *StreamsOf(next->side)[next->device];
        if (next->side == SimSide::In)
            CompleteCapture(stream);
        else
            CompletePlayback(stream);
    }
    now_ = std::max(now_, t);
}

void SimWaveService::CompleteCapture(SimStream& stream)
{
    const LPWAVEHDR header = stream.queue.front();
    stream.queue.erase(stream.queue.begin());
    signal_(stream.position, reinterpret_cast<BYTE*>(header->lpData), header->dwBufferLength);
    stream.position += header->dwBufferLength;
    header->dwBytesRecorded = header->dwBufferLength;
    MarkDone(*header);
    stream.Notify(MM_WIM_DATA, AsParam(header));
}

void SimWaveService::CompletePlayback(SimStream& stream)
{
    const LPWAVEHDR header = stream.queue.front();
    stream.queue.erase(stream.queue.begin());
    Record(stream.frontStart, reinterpret_cast<const BYTE*>(header->lpData),
           header->dwBufferLength);
    stream.position += header->dwBufferLength;
    stream.frontStart = now_;
    stream.running = !stream.queue.empty();
    MarkDone(*header);
    stream.Notify(MM_WOM_DONE, AsParam(header));
}

void SimWaveService::Record(SimTime start, const BYTE* data, std::size_t size)
{
    if (sink_)
        sink_(start, data, size);
    else
        played_.push_back({start, std::vector<BYTE>(data, data + size)});
}
