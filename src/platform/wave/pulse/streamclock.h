// SPDX-License-Identifier: GPL-3.0-or-later
// Where a stream's bytes meet its device in time, from the server's latest timing answer: local
// times in microseconds of pa_rtclock_now()'s clock, empty while that answer holds no valid index.
#pragma once

#include <pulse/stream.h>

#include <cstdint>
#include <optional>

// When the byte at position `index` of a playback stream was heard, once the server has taken it.
std::optional<std::int64_t> HeardAt(pa_stream* stream, std::uint64_t index);
// When the byte at position `index` of a record stream was recorded, once the server has it.
std::optional<std::int64_t> RecordedAt(pa_stream* stream, std::uint64_t index);
