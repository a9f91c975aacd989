// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/sim/simwaveservice.h"

#include <cstring>

namespace {

// Every 8-byte word of the stream is distinct (odd multiplier), so a dropped, repeated or
// shifted block shows; consecutive words are one addition apart, which keeps filling cheap.
constexpr std::uint64_t Step = 0x9E3779B97F4A7C15u;
constexpr std::uint64_t Offset = 0x0123456789ABCDEFu;

std::uint64_t WordAt(std::uint64_t index)
{
    return index * Step + Offset;
}

BYTE ByteAt(std::uint64_t position)
{
    return static_cast<BYTE>(WordAt(position / 8) >> (position % 8 * 8));
}

}

void SimWaveService::PatternSignal(std::uint64_t position, BYTE* data, std::size_t size)
{
    std::size_t i = 0;
    for (; i < size && (position + i) % 8 != 0; ++i)
        data[i] = ByteAt(position + i);
    std::uint64_t word = WordAt((position + i) / 8);
    for (; i + 8 <= size; i += 8, word += Step)
        std::memcpy(data + i, &word, 8);
    for (; i < size; ++i)
        data[i] = ByteAt(position + i);
}
