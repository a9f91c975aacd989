// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/pulseplayback.h"

#include "platform/wave/pulse/pulseformat.h"
#include "platform/wave/pulse/streamclock.h"

#include <pulse/rtclock.h>

#include <algorithm>
#include <vector>

namespace {
// The whole queue is written at once, far beyond what the server asks for; these only set
// how often it asks (each request wakes both sides) and the device's own latency (which delays
// what is heard): the server gives the device half of the target length left after two
// requests.
constexpr pa_usec_t RequestUsec = 250 * PA_USEC_PER_MSEC;
constexpr pa_usec_t DeviceUsec = 25 * PA_USEC_PER_MSEC;
constexpr pa_usec_t TargetUsec = 2 * DeviceUsec + 2 * RequestUsec;
// Silence written after a tail the server holds back.
constexpr pa_usec_t PadUsec = 50 * PA_USEC_PER_MSEC;
// The clock is asked again this soon while the stream is paused: nothing can be foreseen then.
constexpr pa_usec_t RecheckUsec = 20 * PA_USEC_PER_MSEC;
// PipeWire's clock moves a whole graph cycle (often 20 ms or more) at a time: a header that ends
// within the cycle is looked for again this much later, not every millisecond, each look a
// round trip to the server. Its done message may come this much late.
constexpr pa_usec_t MinWaitUsec = 10 * PA_USEC_PER_MSEC;
// What one trigger is taken to bring the start forward at least, and the most triggers sent at
// one look: a device renders at most a few seconds ahead.
constexpr pa_usec_t MinStepUsec = 5 * PA_USEC_PER_MSEC;
constexpr pa_usec_t MaxTriggers = 400;
// A late start is skipped by rewriting the queue from this far beyond what the device has
// taken, which the server cannot have read by the time the rewrite reaches it; no later
// start than this is believed.
constexpr pa_usec_t RewriteLeadUsec = 100 * PA_USEC_PER_MSEC;
constexpr std::int64_t MaxSkipUsec = 1000 * PA_USEC_PER_MSEC;
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
    pa_buffer_attr attr{};
    // Room for the whole queue: a relay holds at most four blocks of 211680 bytes there.
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(TargetUsec, &sampleSpec));
    attr.minreq = static_cast<uint32_t>(pa_usec_to_bytes(RequestUsec, &sampleSpec));
    // Plays as soon as it has a frame, and pauses (its clock with it) while it has none: with
    // no prebuffering at all the server would play silence and skip the next header's start.
    attr.prebuf = static_cast<uint32_t>(pa_frame_size(&sampleSpec));
    attr.fragsize = static_cast<uint32_t>(-1);
    pa_stream_set_started_callback(stream, OnStarted, this);
    return pa_stream_connect_playback(stream, device, &attr, flags, nullptr, nullptr);
}

void PulsePlayback::OnReady()
{
    Feed();
}

void PulsePlayback::OnQueued()
{
    if (position == 0 && queue.size() == 1)
        due = pa_rtclock_now();
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
    timing.Cancel();
    dating.Cancel();
    if (stream)
        pa_stream_set_started_callback(stream, nullptr, nullptr);
    if (timer) {
        connection.Api()->time_free(timer);
        timer = nullptr;
    }
    armed = false;
    written = 0;
    position = 0;
    lastHanded = NotLooked;
    due.reset();
}

void PulsePlayback::Feed()
{
    if (!stream || pa_stream_get_state(stream) != PA_STREAM_READY)
        return;
    // Beyond what the server asks for: it keeps the rest in its queue, and nothing has to
    // wake for each few milliseconds of sound.
    for (; written < queue.size(); ++written) {
        LPWAVEHDR header = queue[written].header;
        const DWORD length = WholeFrames(header->dwBufferLength);
        if (length > 0 &&
            pa_stream_write(stream, header->lpData, length, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return Fail("pa_stream_write");
        position += length;
        queue[written].end = position;
        // Fresh data: the stream is not stuck until its clock stands still over two looks.
        lastHanded = NotLooked;
    }
    if (written > 0 && !armed && !timing.Out())
        Arm(0);
}

void PulsePlayback::CheckPlayed()
{
    const pa_timing_info* info = pa_stream_get_timing_info(stream);
    if (!info || info->read_index_corrupt)
        return Arm(RecheckUsec);
    const auto handed = static_cast<std::uint64_t>(std::max<std::int64_t>(info->read_index, 0));
    const std::uint64_t inDevice = pa_usec_to_bytes(info->sink_usec, &sampleSpec);
    // Playing: the device is still behind the read index by its latency. Paused for want of
    // data: everything handed over is in the device, and waiting for the reported latency to
    // drain would hold the last header back long after it was heard.
    const std::uint64_t heard = info->playing ? handed - std::min(handed, inDevice) : handed;
    // Not started yet: silence padded now would come between the headers and the next one.
    if (!info->playing && handed == 0 && written > 0)
        return CatchUp(*info);
    if (due && info->playing && !dating.Busy())
        DateStart();
    const bool stuck = !info->playing && handed == lastHanded;
    lastHanded = handed;
    if (stuck && written > 0 && handed < queue[written - 1].end)
        PadTail();
    while (written > 0 && queue.front().end <= heard) {
        CompleteFront();
        --written;
    }
    if (written == 0)
        return;
    if (!info->playing)
        return Arm(RecheckUsec);
    // The clock runs at the sample rate while the stream plays: the next look is when the
    // header's end will have been heard.
    const pa_usec_t left = pa_bytes_to_usec(queue.front().end - heard, &sampleSpec);
    Arm(std::max(left, MinWaitUsec));
}

void PulsePlayback::CatchUp(const pa_timing_info& info)
{
    // A device that was idle or suspended has rendered silence ahead at its idle latency
    // before this stream joined, and plays all of it first: the server takes back only as
    // much as the device's latency, which this stream has just lowered, for each trigger of
    // a stream that waits for its start. As many triggers as that silence needs.
    const pa_usec_t step = std::max(info.configured_sink_usec, MinStepUsec);
    const pa_usec_t triggers = std::min(info.sink_usec / step + 1, MaxTriggers);
    for (pa_usec_t n = 0; n < triggers; ++n) {
        pa_operation* operation = pa_stream_trigger(stream, nullptr, nullptr);
        if (!operation)
            return Lose();
        pa_operation_unref(operation);
    }
    Arm(RecheckUsec);
}

void PulsePlayback::DateStart()
{
    const auto firstHeard = [](pa_stream* s) { return HeardAt(s, 0); };
    if (!dating.Begin(stream, firstHeard, OnDated, this))
        Fail("pa_stream_update_timing_info");
}

void PulsePlayback::OnDated(void* userdata, bool answered, std::optional<std::int64_t> heardAt)
{
    auto* playback = static_cast<PulsePlayback*>(userdata);
    if (!answered)
        return playback->Fail("pa_stream_update_timing_info");
    playback->SkipLateStart(heardAt);
}

void PulsePlayback::SkipLateStart(std::optional<std::int64_t> heardAt)
{
    const auto dueAt = static_cast<std::int64_t>(*due);
    due.reset();
    const pa_timing_info* info = pa_stream_get_timing_info(stream);
    if (!heardAt || !info || info->read_index_corrupt || *heardAt <= dueAt ||
        *heardAt - dueAt > MaxSkipUsec)
        return;
    // PipeWire's pulse server starts a stream once its graph has linked it, some cycles after
    // the call: the queue is written again from `from` on, without the sound of the lag.
    const auto handed = static_cast<std::uint64_t>(std::max<std::int64_t>(info->read_index, 0));
    const std::uint64_t from =
        handed + WholeFrames(static_cast<DWORD>(pa_usec_to_bytes(info->sink_usec + RewriteLeadUsec, &sampleSpec)));
    const std::uint64_t skip =
        WholeFrames(static_cast<DWORD>(pa_usec_to_bytes(static_cast<pa_usec_t>(*heardAt - dueAt), &sampleSpec)));
    if (from + skip >= position)
        return;
    auto seek = PA_SEEK_ABSOLUTE;
    auto offset = static_cast<std::int64_t>(from);
    for (std::size_t i = 0; i < written; ++i) {
        LPWAVEHDR header = queue[i].header;
        const std::uint64_t end = queue[i].end;
        const std::uint64_t start = end - WholeFrames(header->dwBufferLength);
        if (end > from + skip) {
            const std::uint64_t first = std::max(start, from + skip);
            if (pa_stream_write(stream, header->lpData + (first - start), end - first, nullptr, offset, seek) < 0)
                return Fail("pa_stream_write");
            seek = PA_SEEK_RELATIVE;
            offset = 0;
        }
        // A header cut short by the skip is done where the rewrite begins.
        queue[i].end = end <= from ? end : std::max(from, end - skip);
    }
    position -= skip;
}

void PulsePlayback::PadTail()
{
    // Some servers (pipewire-pulse) play only whole periods and hold back a shorter tail until
    // more comes; silence after it lets the last header play out, as a device would.
    const auto length = static_cast<DWORD>(pa_usec_to_bytes(PadUsec, &sampleSpec));
    const std::vector<BYTE> silence(WholeFrames(length), SilenceByte(sampleSpec));
    if (pa_stream_write(stream, silence.data(), silence.size(), nullptr, 0, PA_SEEK_RELATIVE) < 0)
        return Fail("pa_stream_write");
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

void PulsePlayback::OnTimer(pa_mainloop_api*, pa_time_event*, const timeval*, void* userdata)
{
    auto* playback = static_cast<PulsePlayback*>(userdata);
    playback->armed = false;
    // A fresh reading of the clock: without interpolation it never runs ahead of the server.
    if (!playback->timing.Ask(playback->stream, OnTiming, playback))
        playback->connection.ReportFailure("pa_stream_update_timing_info");
}

void PulsePlayback::OnStarted(pa_stream*, void* userdata)
{
    auto* playback = static_cast<PulsePlayback*>(userdata);
    if (playback->due && !playback->dating.Busy())
        playback->DateStart();
}

void PulsePlayback::OnTiming(pa_stream*, int success, void* userdata)
{
    auto* playback = static_cast<PulsePlayback*>(userdata);
    playback->timing.Answered();
    if (!success)
        return playback->Fail("pa_stream_update_timing_info");
    playback->CheckPlayed();
}
