// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/blockring.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
int Next(int position)
{
    return (position + 1) % BlockRing::Slots;
}
}

void BlockRing::PutBlock(WAVEHDR& header)
{
    if (!RingFree[PutPos] && GetPos == PutPos) {
        GetPos = Next(GetPos);
        ++Overruns;
    }
    RingLength[PutPos] = header.dwBytesRecorded;
    std::swap(header.lpData, RingData[PutPos]);
    RingFree[PutPos] = false;
    PutPos = Next(PutPos);
}

void BlockRing::GetBlock(WAVEHDR& header, bool stopping)
{
    if (RingFree[GetPos] && !stopping) {
        // Waiting would block the one thread that could fill the slot: play silence instead
        // and leave the slot for the block that is on its way.
        std::memset(header.lpData, Silence, header.dwBufferLength);
        ++Underruns;
        return;
    }
    // A length left from an earlier relay with larger blocks must not run past this block.
    const DWORD length = std::min(RingLength[GetPos], header.dwBufferLength);
    std::memcpy(header.lpData, RingData[GetPos], length);
    RingFree[GetPos] = true;
    GetPos = Next(GetPos);
}
