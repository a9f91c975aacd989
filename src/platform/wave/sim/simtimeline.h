// SPDX-License-Identifier: GPL-3.0-or-later
// A virtual device's clock: maps the bytes it has streamed to virtual time and back, in exact
// integer arithmetic, so that nothing drifts apart over a day of streaming.
#pragma once

#include <cstdint>

using SimTime = std::int64_t;

class SimTimeline {
public:
    SimTimeline(std::uint32_t bytesPerSecond, double ppm);

    // Streaming (re)starts at `time` with `bytes` already streamed.
    void Restart(SimTime time, std::uint64_t bytes);
    // A new drift from `now` on; bytes already streamed keep their times.
    void SetDrift(double ppm, SimTime now);

    // The instant the stream reaches `bytes`, rounded up to a whole nanosecond.
    SimTime TimeOf(std::uint64_t bytes) const;
    // The bytes streamed by `time`.
    std::uint64_t BytesAt(SimTime time) const;

private:
    std::uint64_t Divisor() const;

    std::uint64_t bytesPerSecond_;
    std::uint64_t speed_;  // device clock speed in units of 1e-12
    SimTime anchorTime_ = 0;
    std::uint64_t anchorBytes_ = 0;
};
