// SPDX-License-Identifier: GPL-3.0-or-later
#include "notificationlog.h"

#include <algorithm>

void NotificationLog::Post(UINT msg, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard lock(mutex);
        notes.push_back({msg, wParam, lParam, std::chrono::steady_clock::now()});
    }
    posted.notify_all();
}

std::size_t NotificationLog::CountLocked(UINT msg) const
{
    return std::count_if(notes.begin(), notes.end(), [msg](const Note& n) { return n.msg == msg; });
}

bool NotificationLog::WaitFor(UINT msg, std::size_t count, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex);
    return posted.wait_for(lock, timeout, [&] { return CountLocked(msg) >= count; });
}

std::vector<NotificationLog::Note> NotificationLog::Of(UINT msg) const
{
    std::lock_guard lock(mutex);
    std::vector<Note> found;
    std::copy_if(notes.begin(), notes.end(), std::back_inserter(found),
                 [msg](const Note& n) { return n.msg == msg; });
    return found;
}

std::vector<NotificationLog::Note> NotificationLog::All() const
{
    std::lock_guard lock(mutex);
    return notes;
}
