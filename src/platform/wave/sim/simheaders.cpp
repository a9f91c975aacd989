// SPDX-License-Identifier: GPL-3.0-or-later
// Preparing, unpreparing and queueing headers on the virtual devices.
#include "platform/wave/sim/simwaveservice.h"

MMRESULT SimWaveService::CheckHeader(SimSide side, SimOp op, UINT_PTR handle, LPWAVEHDR header,
                                     UINT size, SimStream*& stream)
{
    if (auto fault = Injected(side, op))
        return *fault;
    stream = Find(side, handle);
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (!header || size < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    // The queue as well as the flag: callers clear dwFlags before every prepare.
    if (stream->Queued(header) || (header->dwFlags & WHDR_INQUEUE))
        return WAVERR_STILLPLAYING;
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::Prepare(SimSide side, UINT_PTR handle, LPWAVEHDR header, UINT size)
{
    SimStream* stream = nullptr;
    const MMRESULT result = CheckHeader(side, SimOp::Prepare, handle, header, size, stream);
    if (result != MMSYSERR_NOERROR)
        return result;
    // A header without a block could never be filled or played.
    if (!header->lpData || header->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::Unprepare(SimSide side, UINT_PTR handle, LPWAVEHDR header, UINT size)
{
    SimStream* stream = nullptr;
    const MMRESULT result = CheckHeader(side, SimOp::Unprepare, handle, header, size, stream);
    if (result != MMSYSERR_NOERROR)
        return result;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT SimWaveService::Queue(SimSide side, UINT_PTR handle, LPWAVEHDR header, UINT size)
{
    SimStream* stream = nullptr;
    const MMRESULT result = CheckHeader(side, SimOp::Add, handle, header, size, stream);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (!(header->dwFlags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    if (side == SimSide::In) {
        if (stream->running && stream->queue.empty()) {
            // The device recorded into nothing until now and kept only the last part.
            const std::uint64_t lost = Overflow(*stream);
            lostBytes_ += lost;
            stream->position += lost;
        }
        header->dwBytesRecorded = 0;
    } else if (!stream->running) {
        stream->running = true;
        stream->clock.Restart(now_, stream->position);
        stream->frontStart = now_;
    }
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    stream->queue.push_back(header);
    return MMSYSERR_NOERROR;
}
