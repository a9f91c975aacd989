// SPDX-License-Identifier: GPL-3.0-or-later
// The About box drawn with the platform's own controls: the program's icon, name and
// version, an author and a contact line. Modeless; centred on the screen at every showing.
#pragma once

#include "ui/about.h"

#include <windows.h>

#include <vector>

class TAboutBox final : public AboutWindow {
public:
    // Made hidden, and centred already.
    TAboutBox();
    ~TAboutBox() override;
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    void OK_OnClick();
    HWND Window() const { return window; }

    // AboutWindow
    void SetVersionCaption(const std::string& caption) override;
    bool IsShown() const override;
    Placement Place() const override;
    void MoveTo(int left, int top) override;
    void SetShown(bool shown) override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    HWND Label(const char* text, int left, int top, int width, int height, int pixels,
               bool italic, DWORD align = SS_LEFT);

    HWND window = nullptr;
    HWND VersionLabel = nullptr;
    HWND OKButton = nullptr;
    std::vector<HFONT> fonts;
};
