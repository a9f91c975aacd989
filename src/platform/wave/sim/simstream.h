// SPDX-License-Identifier: GPL-3.0-or-later
// One open virtual device: its handle, where its notifications go, its queued headers and
// its clock.
#pragma once

#include "platform/wave/mmsystem.h"
#include "platform/wave/sim/simtimeline.h"

#include <algorithm>
#include <cstdint>
#include <vector>

struct SimStream {
    SimStream(UINT_PTR handle, HWND target, SimTimeline clock, std::uint64_t backlog)
        : handle(handle), target(target), clock(clock), backlog(backlog)
    {
    }

    void Notify(UINT msg, LPARAM lParam) const
    {
        if (target)
            target->Post(msg, static_cast<WPARAM>(handle), lParam);
    }

    bool Queued(const WAVEHDR* header) const
    {
        return std::find(queue.begin(), queue.end(), header) != queue.end();
    }

    UINT_PTR handle;
    HWND target;  // null: the opener asked for no notifications
    SimTimeline clock;
    std::uint64_t backlog;  // capture: bytes kept while no header is queued
    std::vector<LPWAVEHDR> queue;  // in device order; the front one is being filled or played
    bool running = false;
    // Stream bytes before the front header: capture counts recorded and lost bytes,
    // playback the bytes played.
    std::uint64_t position = 0;
    SimTime frontStart = 0;  // playback: when the front header began to play
};
