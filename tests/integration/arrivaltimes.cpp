// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrivaltimes.h"

#include <algorithm>

void ArrivalTimes::Add(std::size_t end, Clock::time_point arrived)
{
    pieces.push_back({end, arrived});
}

ArrivalTimes::Clock::time_point ArrivalTimes::TimeOf(std::size_t offset) const
{
    auto piece = std::lower_bound(pieces.begin(), pieces.end(), offset + 1,
                                  [](const Piece& p, std::size_t o) { return p.end < o; });
    if (piece == pieces.end())
        return Clock::time_point{};
    const std::size_t frameBytes = layout.channels * layout.bits / 8;
    const auto behind = std::chrono::microseconds(
        static_cast<long long>((piece->end - offset) / frameBytes) * 1000000 / layout.rate);
    return piece->arrived - behind;
}
