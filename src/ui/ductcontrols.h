// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's logic reads and sets on its controls: the one interface that each
// toolkit's window implements. Nothing set from here raises the control's own event.
#pragma once

#include "controls/controls.h"
#include "platform/wintypes.h"

#include <cstddef>
#include <string>
#include <vector>

// Every control of the main window, in tab order, for its texts and fonts.
enum class Control {
    outputList, inputList, rate44100, rate22050, rate11025, sixteenBits, stereo, blockLength,
    startButton, aboutButton, outputLabel, inputLabel, rateGroup, deviceGroup, formGroup
};
constexpr std::size_t ControlCount = static_cast<std::size_t>(Control::formGroup) + 1;

// The control of a device list or an option: the enumerations share their order.
constexpr Control ControlOf(DeviceList list)
{
    return static_cast<Control>(static_cast<int>(Control::outputList) + static_cast<int>(list));
}
constexpr Control ControlOf(Option option)
{
    return static_cast<Control>(static_cast<int>(Control::rate44100) + static_cast<int>(option));
}
static_assert(ControlOf(DeviceList::inputList) == Control::inputList);
static_assert(ControlOf(Option::stereo) == Control::stereo);

class DuctControls {
public:
    // The rate buttons and the two check boxes. Checking a rate button clears the others.
    virtual bool IsChecked(Option control) const = 0;
    virtual void SetChecked(Option control, bool checked) = 0;
    virtual void SetOptionEnabled(Option control, bool enabled) = 0;

    // The device lists; each entry keeps the device number it stands for. Names are the
    // bytes of the service's product names.
    virtual void AddListItem(DeviceList list, const std::string& name, int deviceId) = 0;
    virtual std::vector<std::string> ListItems(DeviceList list) const = 0;
    virtual int ListSelection(DeviceList list) const = 0;  // -1 when none is selected
    virtual void SetListSelection(DeviceList list, int index) = 0;
    virtual int SelectedDevice(DeviceList list) const = 0;  // -1 (the mapper) when none
    virtual void SetListEnabled(DeviceList list, bool enabled) = 0;

    // The block-length slider and the Start/Stop button.
    virtual int BlockLengthPosition() const = 0;
    virtual void SetBlockLengthPosition(int position) = 0;  // clamped to 0..9
    virtual void SetBlockLengthEnabled(bool enabled) = 0;
    virtual std::string InButtonCaption() const = 0;
    virtual void SetInButtonCaption(const std::string& caption) = 0;
    virtual void SetInButtonEnabled(bool enabled) = 0;
    virtual void FocusInButton() = 0;

    // Texts in UTF-8. A control shows its hint as a tool tip once it has one.
    virtual void SetHint(Control control, const std::string& hint) = 0;
    virtual void SetFaceName(Control control, const std::string& face) = 0;
    virtual void SetPointSize(Control control, int points) = 0;

    // The window's position and outer size (with its frame) and the screen's size, in pixels.
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
    virtual int OuterWidth() const = 0;
    virtual int OuterHeight() const = 0;
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    // Makes the window visible and brings it to the front, the keyboard focus on InButton.
    virtual void Show() = 0;

    // A modal box over all of the program's windows, with an OK button only; returns when
    // it has been closed. The texts are the engine's (UTF-8) or the service's (its bytes).
    virtual void ShowMessage(LPCSTR text, LPCSTR caption) = 0;

    // Where the devices post their notifications, and those already posted handed to the
    // engine at once, for a window that is going away.
    virtual HWND Handle() = 0;
    virtual void HandlePostedNotifications() = 0;

protected:
    ~DuctControls() = default;
};
