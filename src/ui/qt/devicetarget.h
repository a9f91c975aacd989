// SPDX-License-Identifier: GPL-3.0-or-later
// Where the devices post their notifications: each one becomes a queued event for the main
// window, so its handler runs on the UI thread, also inside a message box's nested loop.
#pragma once

#include "platform/wintypes.h"

#include <QEvent>
#include <mutex>

class QObject;

class DeviceEvent : public QEvent {
public:
    static const QEvent::Type Kind;

    explicit DeviceEvent(UINT message);
    UINT Message() const { return message; }

private:
    UINT message;
};

class DeviceTarget : public MessageTarget {
public:
    explicit DeviceTarget(QObject& receiver);

    // Safe from any thread; never waits for the UI thread.
    void Post(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Notifications posted from now on are dropped: the window is going away.
    void Detach();

private:
    std::mutex lock;
    QObject* receiver;
};
