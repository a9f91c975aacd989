// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/streamclock.h"

#include <pulse/rtclock.h>
#include <pulse/timeval.h>

namespace {
std::int64_t Usec(std::int64_t bytes, const pa_sample_spec& format)
{
    const auto frame = static_cast<std::int64_t>(pa_frame_size(&format));
    return bytes / frame * 1'000'000 / static_cast<std::int64_t>(format.rate);
}

// `atDevice`: the stream position, in microseconds, at the device when the server answered.
std::int64_t TimeOf(pa_stream* stream, const pa_timing_info& info, std::uint64_t index,
                    std::int64_t atDevice)
{
    // The answer's stamp is the server's time of day; its age moves it onto the monotonic clock.
    const auto answeredAt = static_cast<std::int64_t>(pa_rtclock_now()) -
                            static_cast<std::int64_t>(pa_timeval_age(&info.timestamp));
    const pa_sample_spec& format = *pa_stream_get_sample_spec(stream);
    return answeredAt + Usec(static_cast<std::int64_t>(index), format) - atDevice;
}
}

std::optional<std::int64_t> HeardAt(pa_stream* stream, std::uint64_t index)
{
    const pa_timing_info* info = pa_stream_get_timing_info(stream);
    if (!info || info->read_index_corrupt || info->read_index <= static_cast<std::int64_t>(index))
        return std::nullopt;
    // The device plays the byte its latency behind those handed over.
    const std::int64_t atDevice = Usec(info->read_index, *pa_stream_get_sample_spec(stream)) -
                                  static_cast<std::int64_t>(info->sink_usec);
    return TimeOf(stream, *info, index, atDevice);
}

std::optional<std::int64_t> RecordedAt(pa_stream* stream, std::uint64_t index)
{
    const pa_timing_info* info = pa_stream_get_timing_info(stream);
    if (!info || info->write_index_corrupt || info->write_index <= static_cast<std::int64_t>(index))
        return std::nullopt;
    // The device records the byte its latency ahead of those written into the server's queue.
    const std::int64_t atDevice = Usec(info->write_index, *pa_stream_get_sample_spec(stream)) +
                                  static_cast<std::int64_t>(info->source_usec);
    return TimeOf(stream, *info, index, atDevice);
}
