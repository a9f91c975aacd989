// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: device lists, format options, block-length slider, Start/Stop and About.
// What it decides lives here, whatever toolkit draws it: a toolkit's window implements
// DuctControls and hands its user events to the handlers below. It owns the relay engine,
// which reaches the window through this object.
#pragma once

#include "engine/ductengine.h"
#include "engine/relaywindow.h"
#include "settings/settingswindow.h"
#include "ui/ductcontrols.h"

#include <optional>

class ProgramFrame;

class TDuctForm final : public RelayWindow, public SettingsWindow {
public:
    TDuctForm(WaveService& service, DuctControls& controls, ProgramFrame& frame);
    TDuctForm(const TDuctForm&) = delete;
    TDuctForm& operator=(const TDuctForm&) = delete;

    // Fills the lists, adapts to the locale, loads the settings, applies the devices'
    // options and shows the window. Runs once, when the controls exist.
    void FormOnCreate();
    // Stops a running relay, then saves the settings. Runs once, while the controls exist.
    void FormOnDestroy();

    // Device selection and option availability
    void ApplyCaps();
    void BoxOnChange();
    void Box2OnChange();
    // A click on a rate button, which the button has already checked: runs its handler
    // unless that rate was checked before.
    void RateClicked(Option rate);
    void is4410();
    void is2205();
    void is1102();
    void is16bit();
    void isStereo();

    // Start/Stop button, block-length slider, About button
    void InButOnClick();
    void BufsetChange();
    void AboutOnClick();

    // RelayWindow and SettingsWindow
    bool IsChecked(Option option) const override;
    int BlockLengthPosition() const override;
    void FormatTaken() override;
    void DeviceOpened(DeviceList list) override;
    void DeviceClosed(DeviceList list) override;
    void ShowMessage(LPCSTR text, LPCSTR caption) override;
    HWND Handle() override;
    void SetChecked(Option option, bool checked) override;
    void SetBlockLengthPosition(int position) override;
    std::vector<std::string> ListItems(DeviceList list) const override;
    int ListSelection(DeviceList list) const override;
    void SetListSelection(DeviceList list, int index) override;
    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    int OuterWidth() const override;
    int OuterHeight() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    [[noreturn]] void HaltProgram() override;

    DuctEngine Engine;

private:
    void FillDeviceLists();

    WaveService& service;
    DuctControls& controls;
    ProgramFrame& frame;
    // The rate that the handlers last saw checked.
    std::optional<Option> checkedRate;
};
