// SPDX-License-Identifier: GPL-3.0-or-later
// When each piece of a recorded stream arrived, and from that when any byte was recorded.
#pragma once

#include "tone.h"

#include <chrono>
#include <cstddef>
#include <vector>

class ArrivalTimes {
public:
    using Clock = std::chrono::steady_clock;

    explicit ArrivalTimes(const PcmLayout& layout) : layout(layout) {}

    // The piece that ends before byte `end` of the stream arrived at `arrived`.
    void Add(std::size_t end, Clock::time_point arrived);
    // The time the byte at `offset` was recorded; the epoch when it has not arrived.
    Clock::time_point TimeOf(std::size_t offset) const;

private:
    struct Piece {
        std::size_t end;
        Clock::time_point arrived;
    };

    // The later pieces that may bound a byte's time: a 100 ms fragment read in 10 ms pieces.
    static constexpr std::ptrdiff_t LookAhead = 10;

    PcmLayout layout;
    std::vector<Piece> pieces;
};
