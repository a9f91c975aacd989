// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulsedevice.h"
#include "platform/wave/pulse/headerrules.h"

#include <unistd.h>

#include <string>
#include <utility>

namespace {
// PipeWire runs the nodes of one group in one graph, on one driver, as it does the server's
// own loopbacks: the relay's capture and playback share each cycle instead of running on two
// devices' clocks, each of which wakes the pulse server for every cycle of its own. Devices
// of one card keep their common clock and play unresampled. PulseAudio ignores the property.
pa_proplist* StreamProperties()
{
    pa_proplist* properties = pa_proplist_new();
    const std::string group = "phonoduct-" + std::to_string(getpid());
    pa_proplist_sets(properties, "node.group", group.c_str());
    return properties;
}
}

PulseDevice::PulseDevice(PulseConnection& connection, const pa_sample_spec& sampleSpec,
                         std::string deviceName, HWND window, WPARAM handle, UINT doneMessage)
    : connection(connection), sampleSpec(sampleSpec), deviceName(std::move(deviceName)), window(window),
      handle(handle), doneMessage(doneMessage)
{
}

MMRESULT PulseDevice::Open()
{
    CHECK_RULE(connection.LockHeld(), "a device used with the lock held");
    if (!Connect())
        Lose();
    return lost;
}

MMRESULT PulseDevice::Queue(LPWAVEHDR header, UINT size)
{
    CHECK_RULE(connection.LockHeld(), "a device used with the lock held");
    if (lost)
        return lost;
    const MMRESULT result = CheckQueueable(header, size);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (!EnsureStream())
        return lost;
    MarkQueued(header);
    queue.push_back({header});
    OnQueued();
    return MMSYSERR_NOERROR;
}

MMRESULT PulseDevice::Reset()
{
    CHECK_RULE(connection.LockHeld(), "a device used with the lock held");
    while (!queue.empty())
        CompleteFront();
    OnReset();
    return MMSYSERR_NOERROR;
}

void PulseDevice::Post(UINT msg, LPARAM lParam) const
{
    if (window)
        window->Post(msg, handle, lParam);
}

void PulseDevice::CompleteFront()
{
    LPWAVEHDR header = queue.front().header;
    queue.pop_front();
    MarkDone(header);
    Post(doneMessage, reinterpret_cast<LPARAM>(header));
}

void PulseDevice::Lose()
{
    if (!lost)
        lost = connection.Connected() ? MMSYSERR_BADDEVICEID : MMSYSERR_NODRIVER;
    ForgetStream();
    // Everything queued comes back done, so that a stop still completes.
    while (!queue.empty())
        CompleteFront();
}

void PulseDevice::Fail(const char* call)
{
    connection.ReportFailure(call);
    Lose();
}

bool PulseDevice::EnsureStream()
{
    if (!stream && !Connect())
        Lose();
    return !lost;
}

DWORD PulseDevice::WholeFrames(DWORD length) const
{
    const DWORD frame = static_cast<DWORD>(pa_frame_size(&sampleSpec));
    return length - length % frame;
}

bool PulseDevice::Connect()
{
    pa_proplist* properties = StreamProperties();
    stream = pa_stream_new_with_proplist(connection.Context(), "Phonoduct", &sampleSpec, nullptr,
                                         properties);
    pa_proplist_free(properties);
    if (!stream) {
        connection.ReportFailure("pa_stream_new_with_proplist");
        return false;
    }
    pa_stream_set_state_callback(stream, OnState, this);
    const char* device = deviceName.empty() ? nullptr : deviceName.c_str();
    auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY |
                                                (device ? PA_STREAM_DONT_MOVE : 0));
    if (ConnectStream(device, flags) < 0) {
        connection.ReportFailure("pa_stream_connect");
        return false;
    }
    // A start waits for the stream: its answer is taken in at once.
    connecting.emplace(connection);
    return true;
}

void PulseDevice::ReleaseStream()
{
    Settle();
    ForgetStream();
    if (!stream)
        return;
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_read_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

void PulseDevice::Settle()
{
    connecting.reset();
}

void PulseDevice::OnState(pa_stream* s, void* userdata)
{
    auto* device = static_cast<PulseDevice*>(userdata);
    CHECK_RULE(device->connection.LockHeld(), "stream callbacks run with the lock held");
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        device->Settle();
        device->OnReady();
        break;
    case PA_STREAM_FAILED:
        device->Settle();
        device->Fail("the stream");
        break;
    case PA_STREAM_TERMINATED:
        device->Settle();
        device->Lose();
        break;
    default:
        break;
    }
}
