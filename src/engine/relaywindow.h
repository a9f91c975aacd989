// SPDX-License-Identifier: GPL-3.0-or-later
// What the relay engine reads and sets on the main window. The main window implements it;
// engine tests use a plain fake.
#pragma once

#include "platform/wintypes.h"

enum class OptionControl { RB4410, RB2205, RB1102, CB_16bit, CB_Stereo };
enum class DeviceList { ComboBox1, ComboBox2 };  // playback devices, capture devices

class RelayWindow {
public:
    virtual bool IsChecked(OptionControl control) const = 0;
    virtual void SetOptionEnabled(OptionControl control, bool enabled) = 0;
    virtual int BufsetPosition() const = 0;
    virtual void SetListEnabled(DeviceList list, bool enabled) = 0;
    // A modal box with an OK button only; returns when the user has closed it.
    virtual void ShowMessage(LPCSTR text, LPCSTR caption) = 0;
    // Where the devices post their notifications.
    virtual HWND Handle() = 0;

protected:
    ~RelayWindow() = default;
};
