// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/stabout.h"

#include "ui/about.h"
#include "ui/win32/text.h"
#include "ui/win32/windowclass.h"

#include <cwchar>

namespace {

constexpr wchar_t ClassName[] = L"TAboutBox";
constexpr DWORD BoxStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int OKButtonId = 1;

HFONT BoldFont(int pixels, bool italic)
{
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = FW_BOLD;
    font.lfItalic = italic;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, L"Times New Roman", LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

}  // namespace

TAboutBox::TAboutBox()
{
    RegisterWindowClass(ClassName, WindowProc);
    RECT outer{0, 0, 367, 116};
    AdjustWindowRectEx(&outer, BoxStyle, FALSE, 0);
    window = CreateWindowExW(0, ClassName, L"About", BoxStyle, 202, 118, Width(outer),
                             Height(outer), nullptr, nullptr, GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    CreateControls();
    ABOnCreate(*this);
}

TAboutBox::~TAboutBox()
{
    DestroyWindow(window);
    for (HFONT font : fonts)
        DeleteObject(font);
}

void TAboutBox::CreateControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HWND icon = CreateWindowExW(0, L"STATIC", nullptr,
                                      WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, 13, 10,
                                      33, 33, window, nullptr, instance, nullptr);
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(instance, L"MAINICON")), 0);
    // SS_ICON sizes the control to the icon; the picture is centred in the designed area.
    SetWindowPos(icon, nullptr, 13, 10, 33, 33, SWP_NOZORDER | SWP_NOACTIVATE);
    Label(ProgramNameLine, 63, 16, 240, 24, 21, false);
    VersionLabel = Label("Version 1.10", 212, 43, 84, 19, 16, true, SS_CENTER);
    Label(AuthorLine, 71, 43, 131, 18, 15, true);
    Label(ContactLine, 83, 67, 201, 16, 13, true);
    OKButton = CreateWindowExW(0, L"BUTTON", L"OK",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 146, 88,
                               75, 20, window, reinterpret_cast<HMENU>(OKButtonId), instance,
                               nullptr);
    fonts.push_back(BoldFont(12, false));
    SendMessageW(OKButton, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back()), FALSE);
}

HWND TAboutBox::Label(const char* text, int left, int top, int width, int height, int pixels,
                      bool italic, DWORD align)
{
    const HWND label = CreateWindowExW(0, L"STATIC", Wide(text).c_str(),
                                       WS_CHILD | WS_VISIBLE | align, left, top, width, height,
                                       window, nullptr, GetModuleHandleW(nullptr), nullptr);
    fonts.push_back(BoldFont(pixels, italic));
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back()), FALSE);
    return label;
}

LRESULT CALLBACK TAboutBox::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<TAboutBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_COMMAND:
        if (box && LOWORD(wParam) == OKButtonId)
            box->OK_OnClick();
        return 0;
    case WM_CTLCOLORSTATIC:
        // Black labels on the dialog face.
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
        // Closing a window that is not the main one hides it.
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void TAboutBox::SetVersionCaption(const std::string& caption)
{
    SetWindowTextA(VersionLabel, caption.c_str());
}

bool TAboutBox::IsShown() const
{
    return IsWindowVisible(window);
}

Placement TAboutBox::Place() const
{
    RECT outer;
    GetWindowRect(window, &outer);
    return {outer.left, outer.top, Width(outer), Height(outer), GetSystemMetrics(SM_CXSCREEN),
            GetSystemMetrics(SM_CYSCREEN)};
}

void TAboutBox::MoveTo(int left, int top)
{
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAboutBox::OK_OnClick()
{
    SetShown(false);
}

void TAboutBox::SetShown(bool shown)
{
    ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
    if (!shown)
        return;
    SetForegroundWindow(window);
    SetFocus(OKButton);
}
