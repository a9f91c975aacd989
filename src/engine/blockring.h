// SPDX-License-Identifier: GPL-3.0-or-later
// The seven slots of recorded blocks between the capture and the playback device.
// The capture side exchanges block pointers with a slot; the playback side copies.
#pragma once

#include "platform/globalmem.h"
#include "platform/wave/mmsystem.h"

#include <array>
#include <cstdint>

class BlockRing {
public:
    static constexpr int Slots = 7;

    // The header's recorded block goes into the slot at PutPos; the header gets the slot's
    // former block. A full ring drops its oldest unread block first.
    void PutBlock(WAVEHDR& header);
    // Copies the oldest unread block into the header's block. With nothing unread the header
    // gets one block of silence and no slot is consumed; once stopping, the slot at GetPos is
    // taken whatever it holds.
    void GetBlock(WAVEHDR& header, bool stopping);
    // True while no recorded block waits to be read.
    bool Empty() const { return RingFree[GetPos]; }

    std::array<LPSTR, Slots> RingData{};
    std::array<HGLOBAL, Slots> RingHandle{};
    std::array<DWORD, Slots> RingLength{};
    std::array<bool, Slots> RingFree{};
    int PutPos = 0;
    int GetPos = 0;

    BYTE Silence = 0;  // sample value of silence for the current format
    std::uint64_t Overruns = 0;  // unread blocks dropped because the ring was full
    std::uint64_t Underruns = 0;  // silences played because nothing was unread
};
