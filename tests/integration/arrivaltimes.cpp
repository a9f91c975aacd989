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
    // Each piece that arrived bounds the time from above: its last byte was recorded before it
    // arrived. A reader that takes a server's fragment in several reads sees its first pieces
    // arrive as late as its last, so the pieces up to a fragment later are asked too.
    const std::size_t frameBytes = layout.channels * layout.bits / 8;
    const auto behind = [&](const Piece& p) {
        return std::chrono::microseconds(
            static_cast<long long>((p.end - offset) / frameBytes) * 1000000 / layout.rate);
    };
    Clock::time_point recorded = piece->arrived - behind(*piece);
    for (auto later = piece + 1; later != pieces.end() && later - piece <= LookAhead; ++later)
        recorded = std::min(recorded, later->arrived - behind(*later));
    return recorded;
}
