// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its controls, made from the window description with the platform's
// own controls.
#include "ui/win32/win32ductform.h"

#include "ui/description.h"
#include "ui/win32/controlids.h"
#include "ui/win32/text.h"
#include "ui/win32/windowclass.h"

#include <commctrl.h>
#include <imm.h>

#include <cwchar>

namespace {

constexpr wchar_t ClassName[] = L"TDuctForm";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The window class and styles of each kind. A frame only groups visually: it lies beneath
// the controls drawn inside it.
const wchar_t* ClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::deviceList: return WC_COMBOBOXW;
    case ControlKind::slider: return TRACKBAR_CLASSW;
    case ControlKind::panelLabel: return WC_STATICW;
    default: return WC_BUTTONW;
    }
}

DWORD StyleOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::deviceList: return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    case ControlKind::rateButton: return BS_AUTORADIOBUTTON;
    case ControlKind::checkBox: return BS_AUTOCHECKBOX | WS_TABSTOP;
    case ControlKind::slider: return TBS_VERT | TBS_RIGHT | TBS_AUTOTICKS | WS_TABSTOP | WS_GROUP;
    case ControlKind::pushButton: return BS_PUSHBUTTON | WS_TABSTOP;
    case ControlKind::panelLabel: return SS_OWNERDRAW;
    case ControlKind::frame: break;
    }
    return BS_GROUPBOX;
}

LOGFONTW PixelFont(const FontDescription& description)
{
    LOGFONTW font{};
    font.lfHeight = -description.pixels;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, Wide(description.face).c_str(), LF_FACESIZE - 1);
    return font;
}

int Height(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return rect.bottom - rect.top;
}

// A drop-down list `height` pixels high whatever its font, its entries 12 pixels high. The
// selection field's height that the list reports and the one it takes differ by a margin
// that differs between systems: the height is measured and corrected.
void FitList(HWND list, int height)
{
    auto field = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int tries = 0; tries < 3 && Height(list) != height; ++tries) {
        field += height - Height(list);
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
    SendMessageW(list, CB_SETITEMHEIGHT, 0, ListItemHeight);
}

}  // namespace

void Win32DuctForm::CreateWindowAndControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(ClassName, WindowProc);
    const Rect& place = MainWindow.rect;
    RECT outer{0, 0, place.width, place.height};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, 0);
    const HWND created = CreateWindowExW(0, ClassName, Wide(MainWindow.caption).c_str(),
                                         WindowStyle, place.left, place.top,
                                         outer.right - outer.left, outer.bottom - outer.top,
                                         nullptr, nullptr, instance, this);
    window = created;

    const ControlDescription* previous = nullptr;
    for (const ControlDescription& d : MainControls) {
        DWORD style = WS_CHILD | WS_VISIBLE | StyleOf(d.kind);
        // The first of a run of rate buttons, check boxes, push buttons or labels begins the
        // group that the arrow keys move in.
        if (d.kind != ControlKind::frame && (!previous || previous->kind != d.kind))
            style |= WS_GROUP;
        previous = &d;
        // A drop-down list is made with room for its list below it.
        const bool list = d.kind == ControlKind::deviceList;
        const HWND item = CreateWindowExW(0, ClassOf(d.kind), Wide(d.caption).c_str(), style,
                                          d.rect.left, d.rect.top, d.rect.width,
                                          list ? 200 : d.rect.height, window,
                                          reinterpret_cast<HMENU>(ControlId(d.role)), instance,
                                          nullptr);
        items[static_cast<std::size_t>(d.role)] = item;
        if (d.font.face)
            SetFont(d.role, PixelFont(d.font));
        if (d.kind == ControlKind::rateButton || d.kind == ControlKind::checkBox)
            SendMessageW(item, BM_SETCHECK, d.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (d.inputMethodOff)
            ImmAssociateContext(item, nullptr);
    }

    const SliderDescription& slider = BlockLengthSlider;
    const HWND track = Item(Control::blockLength);
    SendMessageW(track, TBM_SETRANGE, FALSE, MAKELPARAM(slider.minimum, slider.maximum));
    SendMessageW(track, TBM_SETTICFREQ, slider.tickStep, 0);
    SendMessageW(track, TBM_SETLINESIZE, 0, slider.lineStep);
    SendMessageW(track, TBM_SETPAGESIZE, 0, slider.pageStep);
    SendMessageW(track, TBM_SETPOS, TRUE, slider.position);

    tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                               instance, nullptr);
    SendMessageW(tooltips, TTM_SETMAXTIPWIDTH, 0, 400);
}

void Win32DuctForm::SetFont(Control control, const LOGFONTW& font)
{
    const auto i = static_cast<std::size_t>(control);
    fonts[i] = font;
    const HFONT old = fontHandles[i];
    fontHandles[i] = CreateFontIndirectW(&font);
    SendMessageW(items[i], WM_SETFONT, reinterpret_cast<WPARAM>(fontHandles[i]), TRUE);
    if (old)
        DeleteObject(old);
    if (Describe(control).kind == ControlKind::deviceList)
        FitList(items[i], Describe(control).rect.height);
}
