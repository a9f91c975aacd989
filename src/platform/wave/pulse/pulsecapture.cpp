// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulsecapture.h"
#include "platform/wave/pulse/headerrules.h"
#include "platform/wave/pulse/pulseformat.h"
#include "platform/wave/pulse/streamclock.h"

#include <pulse/rtclock.h>

#include <algorithm>
#include <cstdlib>

namespace {
// A full header is handed back at most this late. PipeWire's pulse server sends a recording
// in pieces of this size, each a message that wakes the client: 10 ms pieces cost more than
// all the rest of a relay. The engine waits for a late capture block for a whole block, and
// no block is shorter than 0.3 s.
constexpr pa_usec_t FragmentUsec = 50 * PA_USEC_PER_MSEC;
// The most that a start is moved by: a clock that answers more is not believed.
constexpr std::int64_t MaxAlignUsec = 1000 * PA_USEC_PER_MSEC;
}

PulseCapture::PulseCapture(PulseConnection& connection, const pa_sample_spec& sampleSpec,
                           std::string deviceName, HWND window, WPARAM handle)
    : PulseDevice(connection, sampleSpec, std::move(deviceName), window, handle, MM_WIM_DATA)
{
}

PulseCapture::~PulseCapture()
{
    ReleaseStream();
}

MMRESULT PulseCapture::Start()
{
    if (!EnsureStream())
        return Lost();
    if (started)
        return MMSYSERR_NOERROR;
    started = aligning = true;
    startedAt = pa_rtclock_now();
    return MMSYSERR_NOERROR;
}

int PulseCapture::ConnectStream(const char* device, pa_stream_flags_t flags)
{
    pa_stream_set_read_callback(stream, OnRead, this);
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = attr.prebuf = attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(FragmentUsec, &sampleSpec));
    return pa_stream_connect_record(stream, device, &attr, flags);
}

void PulseCapture::OnReady()
{
    // Nothing to do: data flows as soon as the stream is ready.
}

void PulseCapture::OnQueued()
{
    queue.back().header->dwBytesRecorded = 0;
}

void PulseCapture::OnReset()
{
    // Recording stops until the next start; the stream keeps running.
    ForgetStream();
}

void PulseCapture::ForgetStream()
{
    dating.Cancel();
    started = aligning = false;
    toSkip = 0;
}

void PulseCapture::Deliver(const BYTE* data, std::size_t size)
{
    if (!started)
        return;
    while (size > 0 && !queue.empty()) {
        LPWAVEHDR header = queue.front().header;
        const DWORD capacity = WholeFrames(header->dwBufferLength);
        const std::size_t chunk = Record(*header, capacity, data, size, SilenceByte(sampleSpec));
        if (data)
            data += chunk;
        size -= chunk;
        if (header->dwBytesRecorded == capacity)
            CompleteFront();
    }
    // What arrives while no header is queued is lost, as on a device.
}

void PulseCapture::OnDated(void* userdata, bool answered, std::optional<std::int64_t> recordedAt)
{
    auto* capture = static_cast<PulseCapture*>(userdata);
    if (!answered)
        return capture->Fail("pa_stream_update_timing_info");
    capture->AlignToStart(recordedAt);
    capture->ReadAll();
}

void PulseCapture::AlignToStart(std::optional<std::int64_t> recordedAt)
{
    aligning = false;
    if (!recordedAt)
        return;
    // A server that starts the stream late (PipeWire links it a few cycles after the call)
    // has recorded nothing of the first moments: silence stands in for them. One that ran
    // before the start has recorded too much: that goes.
    const std::int64_t late = *recordedAt - static_cast<std::int64_t>(startedAt);
    if (std::abs(late) > MaxAlignUsec)
        return;
    const auto bytes = static_cast<DWORD>(pa_usec_to_bytes(std::abs(late), &sampleSpec));
    if (late > 0)
        Deliver(nullptr, WholeFrames(bytes));
    else
        toSkip = WholeFrames(bytes);
}

void PulseCapture::ReadAll()
{
    while (stream && pa_stream_readable_size(stream) > 0) {
        const void* data = nullptr;
        std::size_t size = 0;
        if (pa_stream_peek(stream, &data, &size) < 0)
            return Fail("pa_stream_peek");
        if (size == 0)
            return;
        const std::size_t skipped = std::min<std::size_t>(size, started ? toSkip : 0);
        toSkip -= skipped;
        Deliver(data ? static_cast<const BYTE*>(data) + skipped : nullptr, size - skipped);
        if (pa_stream_drop(stream) < 0)
            return Fail("pa_stream_drop");
    }
}

void PulseCapture::OnRead(pa_stream*, std::size_t, void* userdata)
{
    auto* capture = static_cast<PulseCapture*>(userdata);
    if (!capture->aligning)
        return capture->ReadAll();
    if (capture->dating.Busy())
        return;
    // The next byte to read stays the same while the data is held: everything before it was
    // dropped.
    const auto nextRecorded = [](pa_stream* s) -> std::optional<std::int64_t> {
        const pa_timing_info* info = pa_stream_get_timing_info(s);
        if (!info || info->read_index_corrupt)
            return std::nullopt;
        const auto next = static_cast<std::uint64_t>(std::max<std::int64_t>(info->read_index, 0));
        return RecordedAt(s, next);
    };
    if (!capture->dating.Begin(capture->stream, nextRecorded, OnDated, capture))
        capture->Fail("pa_stream_update_timing_info");
}
