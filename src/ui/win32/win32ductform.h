// SPDX-License-Identifier: GPL-3.0-or-later
// The main window drawn with the platform's own controls, made from the window description
// in its pixels at 96 dpi. The controls' notifications go to the window's logic
// (Form); the devices post theirs to the window itself, whose procedure hands them on.
#pragma once

#include "ui/ductcontrols.h"
#include "ui/main.h"

#include <windows.h>

#include <array>

class ProgramFrame;

class Win32DuctForm final : public DuctControls {
public:
    Win32DuctForm(WaveService& service, ProgramFrame& frame);
    // Destroys the window; its destroy step runs while the controls still exist.
    ~Win32DuctForm();
    Win32DuctForm(const Win32DuctForm&) = delete;
    Win32DuctForm& operator=(const Win32DuctForm&) = delete;

    HWND Window() const { return window; }

    // DuctControls
    bool IsChecked(Option control) const override;
    void SetChecked(Option control, bool checked) override;
    void SetOptionEnabled(Option control, bool enabled) override;
    void AddListItem(DeviceList list, const std::string& name, int deviceId) override;
    std::vector<std::string> ListItems(DeviceList list) const override;
    int ListSelection(DeviceList list) const override;
    void SetListSelection(DeviceList list, int index) override;
    int SelectedDevice(DeviceList list) const override;
    void SetListEnabled(DeviceList list, bool enabled) override;
    int BlockLengthPosition() const override;
    void SetBlockLengthPosition(int position) override;
    void SetBlockLengthEnabled(bool enabled) override;
    std::string InButtonCaption() const override;
    void SetInButtonCaption(const std::string& caption) override;
    void SetInButtonEnabled(bool enabled) override;
    void FocusInButton() override;
    void SetHint(Control control, const std::string& hint) override;
    void SetFaceName(Control control, const std::string& face) override;
    void SetPointSize(Control control, int points) override;
    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    int OuterWidth() const override;
    int OuterHeight() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    void Show() override;
    void ShowMessage(LPCSTR text, LPCSTR caption) override;
    HWND Handle() override;
    void HandlePostedNotifications() override;

    TDuctForm Form;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateWindowAndControls();
    void OnCommand(Control control, int code);
    void DrawPanel(const DRAWITEMSTRUCT& item);
    void SetFont(Control control, const LOGFONTW& font);
    HWND Item(Control control) const;
    RECT WindowRect() const;

    ProgramFrame& frame;
    HWND window = nullptr;
    std::array<HWND, ControlCount> items{};
    std::array<LOGFONTW, ControlCount> fonts{};
    std::array<HFONT, ControlCount> fontHandles{};
    std::array<bool, ControlCount> hinted{};
    HWND tooltips = nullptr;
};
