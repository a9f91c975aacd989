// SPDX-License-Identifier: GPL-3.0-or-later
// Device notifications waiting for the thread that runs the engine. Any thread may post;
// posting never waits for the taker. Storage grows to the largest backlog and is reused, so
// a steady relay allocates nothing here.
#pragma once

#include "platform/wintypes.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

class MessageQueue : public MessageTarget {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    void Post(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::optional<Message> TryTake();
    // Waits for a message until the deadline.
    std::optional<Message> TakeUntil(std::chrono::steady_clock::time_point deadline);
    std::size_t Size() const;

private:
    Message PopLocked();

    mutable std::mutex mutex;
    std::condition_variable posted;
    std::vector<Message> slots;
    std::size_t head = 0;
    std::size_t count = 0;
};
