// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as its logic reads and sets them.
#include "ui/win32/win32ductform.h"

#include "ui/description.h"
#include "ui/win32/controlids.h"
#include "ui/win32/text.h"

#include <commctrl.h>

#include <cwchar>

bool Win32DuctForm::IsChecked(Option control) const
{
    return SendMessageW(Item(ControlOf(control)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32DuctForm::SetChecked(Option control, bool checked)
{
    SendMessageW(Item(ControlOf(control)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    const bool rate = control == Option::rate44100 || control == Option::rate22050 ||
                      control == Option::rate11025;
    if (!rate || !checked)
        return;
    // One rate at a time, as a click on the group leaves it.
    for (Option other : {Option::rate44100, Option::rate22050, Option::rate11025})
        if (other != control)
            SendMessageW(Item(ControlOf(other)), BM_SETCHECK, BST_UNCHECKED, 0);
}

void Win32DuctForm::SetOptionEnabled(Option control, bool enabled)
{
    EnableWindow(Item(ControlOf(control)), enabled);
}

void Win32DuctForm::AddListItem(DeviceList list, const std::string& name, int deviceId)
{
    const HWND combo = Item(ControlOf(list));
    const auto index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(combo, CB_SETITEMDATA, index, deviceId);
}

std::vector<std::string> Win32DuctForm::ListItems(DeviceList list) const
{
    const HWND combo = Item(ControlOf(list));
    std::vector<std::string> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
        text.resize(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        items.push_back(text);
    }
    return items;
}

int Win32DuctForm::ListSelection(DeviceList list) const
{
    return static_cast<int>(SendMessageW(Item(ControlOf(list)), CB_GETCURSEL, 0, 0));
}

void Win32DuctForm::SetListSelection(DeviceList list, int index)
{
    SendMessageW(Item(ControlOf(list)), CB_SETCURSEL, index, 0);
}

int Win32DuctForm::SelectedDevice(DeviceList list) const
{
    const HWND combo = Item(ControlOf(list));
    const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, index, 0));
}

void Win32DuctForm::SetListEnabled(DeviceList list, bool enabled)
{
    EnableWindow(Item(ControlOf(list)), enabled);
}

int Win32DuctForm::BlockLengthPosition() const
{
    return static_cast<int>(SendMessageW(Item(Control::blockLength), TBM_GETPOS, 0, 0));
}

void Win32DuctForm::SetBlockLengthPosition(int position)
{
    SendMessageW(Item(Control::blockLength), TBM_SETPOS, TRUE, position);
}

void Win32DuctForm::SetBlockLengthEnabled(bool enabled)
{
    EnableWindow(Item(Control::blockLength), enabled);
}

std::string Win32DuctForm::InButtonCaption() const
{
    char caption[16] = {};
    GetWindowTextA(Item(Control::startButton), caption, sizeof caption);
    return caption;
}

void Win32DuctForm::SetInButtonCaption(const std::string& caption)
{
    SetWindowTextA(Item(Control::startButton), caption.c_str());
}

void Win32DuctForm::SetInButtonEnabled(bool enabled)
{
    EnableWindow(Item(Control::startButton), enabled);
}

void Win32DuctForm::FocusInButton()
{
    SetFocus(Item(Control::startButton));
}

void Win32DuctForm::SetHint(Control control, const std::string& hint)
{
    const HWND item = Item(control);
    std::wstring text = Wide(hint);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.lpszText = text.data();
    if (Describe(control).kind == ControlKind::frame) {
        // A frame lets the mouse through to the window: its tool is its area there.
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = ControlId(control);
        GetWindowRect(item, &tool.rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&tool.rect), 2);
    } else {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.uId = reinterpret_cast<UINT_PTR>(item);
    }
    bool& added = hinted[static_cast<std::size_t>(control)];
    SendMessageW(tooltips, added ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
    added = true;
}

void Win32DuctForm::SetFaceName(Control control, const std::string& face)
{
    LOGFONTW font = fonts[static_cast<std::size_t>(control)];
    std::wcsncpy(font.lfFaceName, Wide(face).c_str(), LF_FACESIZE - 1);
    SetFont(control, font);
}

void Win32DuctForm::SetPointSize(Control control, int points)
{
    LOGFONTW font = fonts[static_cast<std::size_t>(control)];
    const HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    SetFont(control, font);
}

RECT Win32DuctForm::WindowRect() const
{
    // Where the window stands when not minimised (a minimised one stands far off the
    // screen), given relative to the work area of its monitor.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT rect = placement.rcNormalPosition;
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
    return rect;
}

int Win32DuctForm::Left() const { return WindowRect().left; }
int Win32DuctForm::Top() const { return WindowRect().top; }

void Win32DuctForm::SetLeft(int left)
{
    SetWindowPos(window, nullptr, left, Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32DuctForm::SetTop(int top)
{
    SetWindowPos(window, nullptr, Left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32DuctForm::OuterWidth() const
{
    const RECT rect = WindowRect();
    return rect.right - rect.left;
}

int Win32DuctForm::OuterHeight() const
{
    const RECT rect = WindowRect();
    return rect.bottom - rect.top;
}

int Win32DuctForm::ScreenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int Win32DuctForm::ScreenHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

void Win32DuctForm::Show()
{
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(Item(Control::startButton));
}

void Win32DuctForm::ShowMessage(LPCSTR text, LPCSTR caption)
{
    // Task-modal with no owner: every window of the program waits for it.
    MessageBoxA(nullptr, AnsiText(text).c_str(), AnsiText(caption).c_str(),
                MB_OK | MB_TASKMODAL);
}

HWND Win32DuctForm::Handle()
{
    return window;
}

void Win32DuctForm::HandlePostedNotifications()
{
    MSG message;
    while (PeekMessageW(&message, window, MM_WOM_OPEN, MM_WIM_DATA, PM_REMOVE))
        Form.Engine.OnMessage(message.message);
}
