// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/sim/simtimeline.h"

#include <algorithm>
#include <cmath>

namespace {

__extension__ using Wide = unsigned __int128;

// Nanoseconds per second times the unit of the speed.
const Wide Scale = Wide{1'000'000'000} * 1'000'000'000'000u;

std::uint64_t SpeedOf(double ppm)
{
    // A clock that stands still or runs backwards makes no sense; keep it crawling forward.
    return static_cast<std::uint64_t>(std::max(1.0, std::round((1e6 + ppm) * 1e6)));
}

}

SimTimeline::SimTimeline(std::uint32_t bytesPerSecond, double ppm)
    : bytesPerSecond_(bytesPerSecond), speed_(SpeedOf(ppm))
{
}

void SimTimeline::Restart(SimTime time, std::uint64_t bytes)
{
    anchorTime_ = time;
    anchorBytes_ = bytes;
}

void SimTimeline::SetDrift(double ppm, SimTime now)
{
    const std::uint64_t bytes = BytesAt(now);
    Restart(TimeOf(bytes), bytes);
    speed_ = SpeedOf(ppm);
}

std::uint64_t SimTimeline::Divisor() const
{
    return bytesPerSecond_ * speed_;
}

SimTime SimTimeline::TimeOf(std::uint64_t bytes) const
{
    if (bytes <= anchorBytes_)
        return anchorTime_;
    const Wide divisor = Divisor();
    const Wide scaled = Wide{bytes - anchorBytes_} * Scale;
    return anchorTime_ + static_cast<SimTime>((scaled + divisor - 1) / divisor);
}

std::uint64_t SimTimeline::BytesAt(SimTime time) const
{
    if (time <= anchorTime_)
        return anchorBytes_;
    const Wide elapsed = static_cast<std::uint64_t>(time - anchorTime_);
    return anchorBytes_ + static_cast<std::uint64_t>(elapsed * Divisor() / Scale);
}
