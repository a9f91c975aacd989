// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulsecapture.h"
#include "platform/wave/pulse/headerrules.h"
#include "platform/wave/pulse/pulseformat.h"

namespace {
// A full header is handed back at most this late. PipeWire's pulse server sends a recording
// in pieces of this size, each a message that wakes the client: 10 ms pieces cost more than
// all the rest of a relay. The engine waits for a late capture block for a whole block, and
// no block is shorter than 0.3 s.
constexpr pa_usec_t FragmentUsec = 50 * PA_USEC_PER_MSEC;
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
    started = true;
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
    started = false;
}

void PulseCapture::ForgetStream()
{
    started = false;
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

void PulseCapture::OnRead(pa_stream* s, std::size_t, void* userdata)
{
    auto* capture = static_cast<PulseCapture*>(userdata);
    while (pa_stream_readable_size(s) > 0) {
        const void* data = nullptr;
        std::size_t size = 0;
        if (pa_stream_peek(s, &data, &size) < 0)
            return capture->Fail("pa_stream_peek");
        if (size == 0)
            return;
        capture->Deliver(static_cast<const BYTE*>(data), size);
        if (pa_stream_drop(s) < 0)
            return capture->Fail("pa_stream_drop");
    }
}
