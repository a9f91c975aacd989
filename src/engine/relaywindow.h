// SPDX-License-Identifier: GPL-3.0-or-later
// What the relay engine reads from the main window and tells it. The main window implements
// it and decides what its controls show; engine tests use a plain fake.
#pragma once

#include "controls/controls.h"
#include "platform/wintypes.h"

class RelayWindow {
public:
    virtual bool IsChecked(Option option) const = 0;
    virtual int BlockLengthPosition() const = 0;

    // The engine has read the sound format from the options; they stay as they are until
    // the window applies the devices' capabilities again.
    virtual void FormatTaken() = 0;
    // The device chosen in the list has opened or closed.
    virtual void DeviceOpened(DeviceList list) = 0;
    virtual void DeviceClosed(DeviceList list) = 0;

    // A modal box with an OK button only; returns when the user has closed it.
    virtual void ShowMessage(LPCSTR text, LPCSTR caption) = 0;
    // Where the devices post their notifications.
    virtual HWND Handle() = 0;

protected:
    ~RelayWindow() = default;
};
