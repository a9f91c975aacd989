// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/win32ductform.h"

#include "ui/programframe.h"
#include "ui/win32/controlids.h"

#include <commctrl.h>

Win32DuctForm::Win32DuctForm(WaveService& service, ProgramFrame& frame)
    : Form(service, *this, frame), frame(frame)
{
    CreateWindowAndControls();
}

Win32DuctForm::~Win32DuctForm()
{
    DestroyWindow(window);
    for (HFONT font : fontHandles)
        DeleteObject(font);
}

LRESULT CALLBACK Win32DuctForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Win32DuctForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Its controls send messages while the window is being made: they get the defaults.
    if (!form || !form->window)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    return form->OnWindowMessage(msg, wParam, lParam);
}

LRESULT Win32DuctForm::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        // Return, as the dialog manager reports it for a window without a default button:
        // the focused push button is pressed, as Space presses it.
        if (LOWORD(wParam) == IDOK && lParam == 0) {
            for (Control button : {Control::startButton, Control::aboutButton})
                if (GetFocus() == Item(button))
                    OnCommand(button, BN_CLICKED);
            return 0;
        }
        for (std::size_t i = 0; i < ControlCount; ++i)
            if (items[i] == reinterpret_cast<HWND>(lParam))
                OnCommand(static_cast<Control>(i), HIWORD(wParam));
        return 0;
    case WM_VSCROLL:
        // Positions set by the program send nothing: this is the user moving the slider.
        if (reinterpret_cast<HWND>(lParam) == Item(Control::blockLength))
            Form.BufsetChange();
        return 0;
    case WM_DRAWITEM:
        DrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        // Ends the message loop; the program's end destroys the windows in their order.
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        Form.FormOnDestroy();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The process may be ended as soon as this returns: the program ends first, in the
        // order of the window's close (relay stopped, settings saved).
        if (wParam)
            frame.HaltProgram();
        return 0;
    case MM_WOM_OPEN:
    case MM_WOM_CLOSE:
    case MM_WOM_DONE:
    case MM_WIM_OPEN:
    case MM_WIM_CLOSE:
    case MM_WIM_DATA:
        Form.Engine.OnMessage(msg);
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

void Win32DuctForm::OnCommand(Control control, int code)
{
    switch (control) {
    case Control::outputList:
        if (code == CBN_SELCHANGE)
            Form.BoxOnChange();
        break;
    case Control::inputList:
        if (code == CBN_SELCHANGE)
            Form.Box2OnChange();
        break;
    case Control::rate44100: Form.RateClicked(Option::rate44100); break;
    case Control::rate22050: Form.RateClicked(Option::rate22050); break;
    case Control::rate11025: Form.RateClicked(Option::rate11025); break;
    case Control::sixteenBits: Form.is16bit(); break;
    case Control::stereo: Form.isStereo(); break;
    case Control::startButton: Form.InButOnClick(); break;
    case Control::aboutButton: Form.AboutOnClick(); break;
    default: break;
    }
}

void Win32DuctForm::DrawPanel(const DRAWITEMSTRUCT& item)
{
    // A label panel: raised bevel one pixel wide, caption centred on the button face.
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rect, BDR_RAISEDINNER, BF_RECT);
    wchar_t caption[64];
    GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
    const HGDIOBJ old = SelectObject(item.hDC, reinterpret_cast<HFONT>(
        SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, caption, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, old);
}

HWND Win32DuctForm::Item(Control control) const
{
    return items[static_cast<std::size_t>(control)];
}
