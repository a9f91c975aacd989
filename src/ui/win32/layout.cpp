// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its controls: names, kinds, geometry, captions, initial states and
// tab order, as the window description gives them.
#include "ui/win32/win32ductform.h"

#include "ui/win32/controlids.h"
#include "ui/win32/text.h"
#include "ui/win32/windowclass.h"

#include <commctrl.h>

#include <cwchar>

namespace {

constexpr wchar_t ClassName[] = L"TDuctForm";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int ListItemHeight = 12;

struct Description {
    Control control;
    const wchar_t* kind;
    const wchar_t* caption;
    DWORD style;
    int left, top, width, height;
};

// In tab order; the window's own children, the frames included, which only group visually
// and lie beneath the controls drawn inside them.
const Description Controls[] = {
    {Control::outputList, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
     8, 40, 201, 20},
    {Control::inputList, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
     8, 88, 201, 20},
    {Control::rate44100, WC_BUTTONW, L"44.1KHz", BS_AUTORADIOBUTTON | WS_GROUP, 9, 136, 65, 17},
    {Control::rate22050, WC_BUTTONW, L"22.05KHz", BS_AUTORADIOBUTTON, 9, 156, 73, 17},
    {Control::rate11025, WC_BUTTONW, L"11KHz", BS_AUTORADIOBUTTON, 9, 176, 65, 17},
    {Control::sixteenBits, WC_BUTTONW, L"16 bits", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
     109, 137, 63, 17},
    {Control::stereo, WC_BUTTONW, L"Stereo", BS_AUTOCHECKBOX | WS_TABSTOP, 109, 175, 60, 17},
    {Control::blockLength, TRACKBAR_CLASSW, L"", TBS_VERT | TBS_RIGHT | TBS_AUTOTICKS | WS_TABSTOP |
     WS_GROUP, 198, 120, 17, 113},
    {Control::startButton, WC_BUTTONW, L"Start", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
     5, 206, 92, 19},
    {Control::aboutButton, WC_BUTTONW, L"About", BS_PUSHBUTTON | WS_TABSTOP, 102, 206, 79, 19},
    {Control::outputLabel, WC_STATICW, L"Output Device", SS_OWNERDRAW | WS_GROUP, 8, 16, 89, 20},
    {Control::inputLabel, WC_STATICW, L"Input Device", SS_OWNERDRAW, 8, 64, 89, 20},
    // The doubled ampersand shows as one and makes no accelerator.
    {Control::rateGroup, WC_BUTTONW, L"Sampling Rate", BS_GROUPBOX, 0, 120, 97, 81},
    {Control::deviceGroup, WC_BUTTONW, L"Wave Device Select", BS_GROUPBOX, 0, 0, 217, 113},
    {Control::formGroup, WC_BUTTONW, L"Bits && Stereo", BS_GROUPBOX, 101, 120, 92, 81},
};

LOGFONTW PixelFont(const wchar_t* face, int pixels)
{
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
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
    RECT outer{0, 0, 219, 231};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, 0);
    const HWND created = CreateWindowExW(0, ClassName, L"Phonoduct", WindowStyle, 266, 176,
                                         outer.right - outer.left, outer.bottom - outer.top,
                                         nullptr, nullptr, instance, this);
    window = created;

    for (const Description& d : Controls) {
        const bool list = d.control == Control::outputList || d.control == Control::inputList;
        // A drop-down list is made with room for its list below it.
        const HWND item = CreateWindowExW(0, d.kind, d.caption, WS_CHILD | WS_VISIBLE | d.style,
                                          d.left, d.top, d.width, list ? 200 : d.height, window,
                                          reinterpret_cast<HMENU>(ControlId(d.control)),
                                          instance, nullptr);
        items[static_cast<std::size_t>(d.control)] = item;
        if (d.control != Control::blockLength)
            SetFont(d.control, list ? PixelFont(L"ＭＳ Ｐゴシック", 12)
                                    : PixelFont(L"Times New Roman", 12));
    }

    const HWND slider = Item(Control::blockLength);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 9));
    SendMessageW(slider, TBM_SETTICFREQ, 1, 0);
    SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 2);
    SendMessageW(slider, TBM_SETPOS, TRUE, 8);
    SetChecked(Option::rate44100, true);
    SetChecked(Option::sixteenBits, true);
    SetChecked(Option::stereo, true);

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
    if (control == Control::outputList || control == Control::inputList)
        FitList(items[i], 20);
}
