// SPDX-License-Identifier: GPL-3.0-or-later
// The headers and sound blocks of one relay: allocated at its start, released at its stop.
// The engine owns one set; nothing else reaches it.
#pragma once

#include "engine/blockring.h"
#include "engine/relaywindow.h"
#include "platform/globalmem.h"
#include "platform/wave/mmsystem.h"

#include <array>

struct HeaderEntry {
    LPWAVEHDR Header = nullptr;
    bool Prepared = false;
    bool Queued = false;  // went to the device since its last prepare
};

struct RelayBuffers {
    static constexpr int HeaderCount = 4;

    // Four headers per side and the ring's slots, each with a block of `blockSize` bytes.
    // False if a block could not be allocated or locked; what was allocated is kept for Free.
    bool Alloc(LONG blockSize, BlockRing& ring);
    // Releases every block; a release that fails is shown in a box and the block left.
    void Free(RelayWindow& window, BlockRing& ring);

    std::array<HeaderEntry, HeaderCount> InHeaders{};
    std::array<HeaderEntry, HeaderCount> OutHeaders{};
    std::array<HGLOBAL, HeaderCount> InHeaderHandle{};
    std::array<HGLOBAL, HeaderCount> InDataHandle{};
    std::array<HGLOBAL, HeaderCount> OutHeaderHandle{};
    std::array<HGLOBAL, HeaderCount> OutDataHandle{};
    UINT InHeaderSize = 0;
    UINT OutHeaderSize = 0;
};
