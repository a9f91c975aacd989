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

    bool IsChecked(OptionControl control) const override;
    void SetOptionEnabled(OptionControl control, bool enabled) override;
    int BufsetPosition() const override;
    void SetListEnabled(DeviceList list, bool enabled) override;
    void ShowMessage(LPCSTR text, LPCSTR caption) override;
    HWND Handle() override;

    void SetChecked(OptionControl control, bool checked);
    bool IsOptionEnabled(OptionControl control) const;
    void SetBufsetPosition(int position);
    bool IsListEnabled(DeviceList list) const;

    const std::vector<Box>& Boxes() const;
    void ClearBoxes();
    // Runs while each box is open, as the nested message loop of a modal box would run.
    void WhileBoxOpen(std::function<void(const Box&)> action);

private:
    HWND handle;
    std::array<bool, 5> checked{};
    std::array<bool, 5> optionEnabled{true, true, true, true, true};
    std::array<bool, 2> listEnabled{true, true};
    int bufset = 7;
    std::vector<Box> boxes;
    std::function<void(const Box&)> whileOpen;
};
