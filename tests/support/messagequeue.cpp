// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/messagequeue.h"

void MessageQueue::Post(UINT msg, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard lock(mutex);
        if (count == slots.size()) {
            std::vector<Message> larger(slots.empty() ? 16 : 2 * slots.size());
            for (std::size_t n = 0; n < count; ++n)
                larger[n] = slots[(head + n) % slots.size()];
            slots.swap(larger);
            head = 0;
        }
        slots[(head + count) % slots.size()] = {msg, wParam, lParam};
        ++count;
    }
    posted.notify_one();
}

MessageQueue::Message MessageQueue::PopLocked()
{
    const Message message = slots[head];
    head = (head + 1) % slots.size();
    --count;
    return message;
}

std::optional<MessageQueue::Message> MessageQueue::TryTake()
{
    std::lock_guard lock(mutex);
    if (count == 0)
        return std::nullopt;
    return PopLocked();
}

std::optional<MessageQueue::Message> MessageQueue::TakeUntil(
    std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(mutex);
    if (!posted.wait_until(lock, deadline, [this] { return count > 0; }))
        return std::nullopt;
    return PopLocked();
}

std::size_t MessageQueue::Size() const
{
    std::lock_guard lock(mutex);
    return count;
}
