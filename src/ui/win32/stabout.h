// SPDX-License-Identifier: GPL-3.0-or-later
// The About box drawn with the platform's own controls: the program's icon, name and
// version, an author and a contact line. Modeless; centred on the screen at every showing.
#pragma once

#include <windows.h>

#include <vector>

class TAboutBox final {
public:
    // Made hidden, and centred already.
    TAboutBox();
    ~TAboutBox();
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    // Sets the version label from the revision text and centres the box on the screen.
    void ABOnCreate();
    void OK_OnClick();

    // Visible and to the front; a box that was hidden is centred again first.
    void Show();
    void Hide();
    HWND Window() const { return window; }

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
