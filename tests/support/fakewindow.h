// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the relay engine sees it, without a screen: keeps the option and list
// states and records every message box.
#pragma once

#include "engine/relaywindow.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class FakeWindow : public RelayWindow {
public:
    struct Box {
        std::string text;
        std::string caption;
    };

    explicit FakeWindow(HWND handle);

    bool IsChecked(Option control) const override;
    int BlockLengthPosition() const override;
    // As the main window: a taken format disables the options, an open device its list.
    void FormatTaken() override;
    void DeviceOpened(DeviceList list) override;
    void DeviceClosed(DeviceList list) override;
    void ShowMessage(LPCSTR text, LPCSTR caption) override;
    HWND Handle() override;

    void SetChecked(Option control, bool checked);
    bool IsOptionEnabled(Option control) const;
    void SetBlockLengthPosition(int position);
    bool IsListEnabled(DeviceList list) const;

    const std::vector<Box>& Boxes() const;
    void ClearBoxes();
    // Runs while each box is open, as the nested message loop of a modal box would run.
    void WhileBoxOpen(std::function<void(const Box&)> action);

private:
    HWND handle;
    std::array<bool, OptionCount> checked{};
    std::array<bool, OptionCount> optionEnabled{true, true, true, true, true};
    std::array<bool, 2> listEnabled{true, true};
    int bufset = 7;
    std::vector<Box> boxes;
    std::function<void(const Box&)> whileOpen;
};
