// SPDX-License-Identifier: GPL-3.0-or-later
// What loading and saving the settings reads and sets on the main window.
#pragma once

#include "controls/controls.h"

#include <string>
#include <vector>

class SettingsWindow {
public:
    virtual bool IsChecked(Option option) const = 0;
    virtual void SetChecked(Option option, bool checked) = 0;
    virtual int BlockLengthPosition() const = 0;
    virtual void SetBlockLengthPosition(int position) = 0;  // the slider clamps it to 0..9

    virtual std::vector<std::string> ListItems(DeviceList list) const = 0;
    virtual int ListSelection(DeviceList list) const = 0;  // -1 when none is selected
    virtual void SetListSelection(DeviceList list, int index) = 0;  // raises no event

    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
    virtual int OuterWidth() const = 0;
    virtual int OuterHeight() const = 0;
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;

    // Ends the program through its orderly end (exit code 0); does not return.
    [[noreturn]] virtual void HaltProgram() = 0;

protected:
    ~SettingsWindow() = default;
};
