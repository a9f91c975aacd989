#include "platform/wave/pulse/pulseplayback.h"

#include "platform/wave/pulse/pulseformat.h"

#include <pulse/rtclock.h>

#include <algorithm>
#include <vector>

namespace {
// The server holds about this much ahead of the clock.
constexpr pa_usec_t BufferUsec = 50 * PA_USEC_PER_MSEC;
constexpr pa_usec_t RequestUsec = 10 * PA_USEC_PER_MSEC;
// Bounds of the wait for the next header's end: the clock is asked again at least this often.
constexpr pa_usec_t MinWaitUsec = 1 * PA_USEC_PER_MSEC;
constexpr pa_usec_t MaxWaitUsec = 20 * PA_USEC_PER_MSEC;
// A header is reported this long after its last byte was heard. A capture block that ends at
// the same moment on a device started just before is then handed over first, as on hardware
// whose output latency exceeds its input latency; the relay's timing rests on that order.
constexpr pa_usec_t ReportLagUsec = 25 * PA_USEC_PER_MSEC;
}

PulsePlayback::PulsePlayback(PulseConnection& connection, const pa_sample_spec& sampleSpec,
                             std::string deviceName, HWND window, WPARAM handle)
    : PulseDevice(connection, sampleSpec, std::move(deviceName), window, handle, MM_WOM_DONE)
{
}

PulsePlayback::~PulsePlayback()
{
    ReleaseStream();
}

int PulsePlayback::ConnectStream(const char* device, pa_stream_flags_t flags)
{
    pa_stream_set_write_callback(stream, OnWritable, this);
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(BufferUsec, &sampleSpec));
    attr.minreq = static_cast<uint32_t>(pa_usec_to_bytes(RequestUsec, &sampleSpec));
    // Plays as soon as it has a frame, and pauses (its clock with it) while it has none: with
    // no prebuffering at all the server would play silence and skip the next header's start.
    attr.prebuf = static_cast<uint32_t>(pa_frame_size(&sampleSpec));
    attr.fragsize = static_cast<uint32_t>(-1);
    return pa_stream_connect_playback(stream, device, &attr, flags, nullptr, nullptr);
}

void PulsePlayback::OnReady()
{
    Feed();
}

void PulsePlayback::OnQueued()
{
    Feed();
}

void PulsePlayback::OnReset()
{
    // What the server still holds goes with the stream; the next header starts a fresh one,
    // with its positions from zero.
    ReleaseStream();
}

void PulsePlayback::ForgetStream()
{
    if (timing) {
        pa_operation_cancel(timing);
        pa_operation_unref(timing);
        timing = nullptr;
    }
    if (timer) {
        connection.Api()->time_free(timer);
        timer = nullptr;
    }
    armed = false;
    written = 0;
    offset = 0;
    position = 0;
    lastHanded = 0;
}

void PulsePlayback::Feed()
{
    if (!stream || pa_stream_get_state(stream) != PA_STREAM_READY)
        return;
    const std::size_t writable = pa_stream_writable_size(stream);
    if (writable == static_cast<std::size_t>(-1))
        return Lose();
    std::size_t room = WholeFrames(static_cast<DWORD>(std::min<std::size_t>(writable, UINT32_MAX)));
    while (written < queue.size()) {
        LPWAVEHDR header = queue[written].header;
        const DWORD length = WholeFrames(header->dwBufferLength);
        const std::size_t chunk = std::min<std::size_t>(room, length - offset);
        if (chunk == 0 && offset < length)
            break;
        if (chunk > 0 && pa_stream_write(stream, header->lpData + offset, chunk, nullptr, 0,
                                         PA_SEEK_RELATIVE) < 0)
            return Lose();
        offset += static_cast<DWORD>(chunk);
        position += chunk;
        room -= chunk;
        if (offset == length) {
            queue[written++].end = position;
            offset = 0;
        }
    }
    if (written > 0 && !armed && !timing)
        Arm(0);
}

void PulsePlayback::CheckPlayed()
{
    const pa_timing_info* info = pa_stream_get_timing_info(stream);
    if (!info || info->read_index_corrupt)
        return Arm(MaxWaitUsec);
    const auto handed = static_cast<std::uint64_t>(std::max<std::int64_t>(info->read_index, 0));
    const std::uint64_t inDevice = pa_usec_to_bytes(info->sink_usec, &sampleSpec);
    // Playing: the device is still behind the read index by its latency. Paused for want of
    // data: everything handed over is in the device, and waiting for the reported latency to
    // drain would hold the last header back long after it was heard.
    const std::uint64_t heard = info->playing ? handed - std::min(handed, inDevice) : handed;
    const bool stuck = !info->playing && handed == lastHanded;
    lastHanded = handed;
    if (stuck && written > 0 && handed < queue[written - 1].end)
        PadTail();
    const pa_usec_t now = pa_rtclock_now();
    for (std::size_t i = 0; i < written && queue[i].end <= heard; ++i) {
        if (!queue[i].heardAt)
            queue[i].heardAt = now - std::min(now, pa_bytes_to_usec(heard - queue[i].end, &sampleSpec));
    }
    while (written > 0 && queue.front().heardAt && queue.front().heardAt + ReportLagUsec <= now) {
        CompleteFront();
        --written;
    }
    if (written == 0)
        return;
    const QueuedHeader& next = queue.front();
    const pa_usec_t left = next.heardAt ? next.heardAt + ReportLagUsec - now
                                        : pa_bytes_to_usec(next.end - heard, &sampleSpec) + ReportLagUsec;
    Arm(std::clamp(left, MinWaitUsec, MaxWaitUsec));
}

void PulsePlayback::PadTail()
{
    // Some servers (pipewire-pulse) play only whole periods and hold back a shorter tail until
    // more comes; silence after it lets the last header play out, as a device would.
    if (written < queue.size())
        return;
    const auto length = static_cast<DWORD>(pa_usec_to_bytes(BufferUsec, &sampleSpec));
    const std::vector<BYTE> silence(WholeFrames(length), SilenceByte(sampleSpec));
    if (pa_stream_write(stream, silence.data(), silence.size(), nullptr, 0, PA_SEEK_RELATIVE) < 0)
        return Lose();
    position += silence.size();
}

void PulsePlayback::Arm(pa_usec_t delay)
{
    pa_context* context = pa_stream_get_context(stream);
    const pa_usec_t when = pa_rtclock_now() + delay;
    if (timer)
        pa_context_rttime_restart(context, timer, when);
    else
        timer = pa_context_rttime_new(context, when, OnTimer, this);
    armed = timer != nullptr;
}

void PulsePlayback::OnWritable(pa_stream*, std::size_t, void* userdata)
{
    static_cast<PulsePlayback*>(userdata)->Feed();
}

void PulsePlayback::OnTimer(pa_mainloop_api*, pa_time_event*, const timeval*, void* userdata)
{
    auto* playback = static_cast<PulsePlayback*>(userdata);
    playback->armed = false;
    // A fresh reading of the clock: without interpolation it never runs ahead of the server.
    playback->timing = pa_stream_update_timing_info(playback->stream, OnTiming, playback);
}

void PulsePlayback::OnTiming(pa_stream*, int success, void* userdata)
{
    auto* playback = static_cast<PulsePlayback*>(userdata);
    pa_operation_unref(playback->timing);
    playback->timing = nullptr;
    if (!success)
        return playback->Lose();
    playback->CheckPlayed();
}
