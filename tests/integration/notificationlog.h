// SPDX-License-Identifier: GPL-3.0-or-later
// A callback window for tests: keeps every posted notification with the time it came.
#pragma once

#include "platform/wintypes.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

class NotificationLog : public MessageTarget {
public:
    struct Note {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        std::chrono::steady_clock::time_point time;
    };

    void Post(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Waits until `count` notifications of `msg` have come; false on timeout.
    bool WaitFor(UINT msg, std::size_t count, std::chrono::milliseconds timeout);
    std::vector<Note> Of(UINT msg) const;
    std::vector<Note> All() const;
    HWND Window() { return this; }

private:
    std::size_t CountLocked(UINT msg) const;

    mutable std::mutex mutex;
    std::condition_variable posted;
    std::vector<Note> notes;
};
