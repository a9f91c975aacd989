// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the program's windows from outside, as a tool on the same desktop does, for the
// window test: windowdriver COMMAND, one of
//   window     the main window's outer and client rectangles, once it shows (up to 2 min)
//   controls   each control of the main window: name, class, rectangle on the screen,
//              enabled, checked or position, caption or selected entry
//   boxes      the message boxes shown: caption, text, and where their OK button is
//   settings   the values stored under the program's settings key
//   layout     makes the window itself, with its settings cleared, and compares it with its
//              description, in both locales: each difference is a line, and the exit code 1
//   minimise-close  minimises the main window from its system menu, then closes it
#include "platform/timezone.h"
#include "platform/wave/winmm/winmmwaveservice.h"
#include "ui/description.h"
#include "ui/programframe.h"
#include "ui/win32/controlids.h"
#include "ui/win32/text.h"
#include "ui/win32/win32ductform.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr char SettingsKey[] = "Software\\Halvorn\\Phonoduct";

HWND FindMainWindow()
{
    return FindWindowW(L"TDuctForm", L"Phonoduct");
}

// Texts in UTF-8: the program's windows are Unicode ones, and another process's messages
// come back in the window's own character set.
std::string Utf8(const wchar_t* text)
{
    char bytes[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

std::string Text(HWND hwnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, static_cast<int>(std::size(text)));
    return Utf8(text);
}

void PrintRect(const RECT& rect)
{
    std::printf("%ld\t%ld\t%ld\t%ld", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
}

int Window()
{
    for (int tries = 0; tries < 1200; ++tries) {
        const HWND main = FindMainWindow();
        if (main && IsWindowVisible(main)) {
            RECT outer;
            RECT client;
            GetWindowRect(main, &outer);
            GetClientRect(main, &client);
            POINT origin{0, 0};
            ClientToScreen(main, &origin);
            std::printf("outer\t");
            PrintRect(outer);
            std::printf("\nclient\t%ld\t%ld\t%ld\t%ld\n", origin.x, origin.y, client.right,
                        client.bottom);
            return 0;
        }
        Sleep(100);
    }
    std::printf("no window\n");
    return 1;
}

std::string State(HWND item, const std::string& kind)
{
    if (kind == "ComboBox") {
        const auto index = SendMessageW(item, CB_GETCURSEL, 0, 0);
        wchar_t text[256] = {};
        if (index >= 0)
            SendMessageW(item, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return "-\t" + Utf8(text);
    }
    if (kind == TRACKBAR_CLASSA)
        return std::to_string(SendMessageA(item, TBM_GETPOS, 0, 0)) + "\t";
    const LONG style = GetWindowLongA(item, GWL_STYLE) & BS_TYPEMASK;
    const bool option = kind == "Button" && (style == BS_AUTORADIOBUTTON || style == BS_AUTOCHECKBOX);
    const std::string checked = SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    return (option ? checked : "-") + "\t" + Text(item);
}

int Controls()
{
    const HWND main = FindMainWindow();
    if (!main)
        return 1;
    for (const ControlDescription& d : MainControls) {
        const HWND item = GetDlgItem(main, ControlId(d.role));
        char kind[64] = {};
        GetClassNameA(item, kind, sizeof kind);
        RECT rect;
        GetWindowRect(item, &rect);
        std::printf("%s\t%s\t", d.name, kind);
        PrintRect(rect);
        std::printf("\t%d\t%s\n", IsWindowEnabled(item) ? 1 : 0, State(item, kind).c_str());
    }
    return 0;
}

BOOL CALLBACK PrintBox(HWND hwnd, LPARAM)
{
    char kind[16] = {};
    GetClassNameA(hwnd, kind, sizeof kind);
    if (std::strcmp(kind, "#32770") != 0 || !IsWindowVisible(hwnd))
        return TRUE;
    std::string text;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetClassNameA(child, kind, sizeof kind);
        if (std::strcmp(kind, "Static") == 0 && !Text(child).empty())
            text = Text(child);
    }
    RECT ok{};
    GetWindowRect(GetDlgItem(hwnd, IDOK), &ok);
    std::printf("%s\t%s\t", Text(hwnd).c_str(), text.c_str());
    PrintRect(ok);
    std::printf("\n");
    return TRUE;
}

int Boxes()
{
    EnumWindows(PrintBox, 0);
    return 0;
}

int Settings()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key))
        return 1;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        BYTE data[256] = {};
        DWORD size = sizeof data - 1;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size))
            break;
        if (type == REG_DWORD)
            std::printf("%s\tdword\t%ld\n", name, *reinterpret_cast<const LONG*>(data));
        else
            std::printf("%s\tsz\t%s\n", name, reinterpret_cast<const char*>(data));
    }
    RegCloseKey(key);
    return 0;
}

// The window of a layout check: never asked to show the About box or to end.
class QuietFrame final : public ProgramFrame {
public:
    void ShowAboutBox() override {}
    void HideAboutBox() override {}
    [[noreturn]] void HaltProgram() override { ExitProcess(3); }
};

int differences = 0;

void Expect(bool holds, const ControlDescription& d, const char* what)
{
    if (holds)
        return;
    std::printf("%s: %s\n", d.name, what);
    ++differences;
}

LOGFONTW FontOf(HWND item)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

BOOL CALLBACK KeepTooltips(HWND hwnd, LPARAM found)
{
    wchar_t kind[64] = {};
    GetClassNameW(hwnd, kind, static_cast<int>(std::size(kind)));
    if (std::wcscmp(kind, TOOLTIPS_CLASSW) == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

// Each control's hint, as the window's tool tips hold it.
std::map<Control, std::wstring> Hints(HWND main)
{
    std::vector<HWND> tooltips;
    EnumThreadWindows(GetCurrentThreadId(), KeepTooltips, reinterpret_cast<LPARAM>(&tooltips));
    std::map<Control, std::wstring> hints;
    for (HWND tips : tooltips) {
        if (GetWindow(tips, GW_OWNER) != main)
            continue;
        const auto count = SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool));
            wchar_t text[256] = {};
            tool.lpszText = text;
            SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
            const auto id = (tool.uFlags & TTF_IDISHWND)
                                ? GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))
                                : static_cast<int>(tool.uId);
            hints[static_cast<Control>(id - ControlId(Control::outputList))] = text;
        }
    }
    return hints;
}

bool TakesFocus(const ControlDescription& d)
{
    return d.kind != ControlKind::panelLabel && d.kind != ControlKind::frame &&
           (d.kind != ControlKind::rateButton || d.checked);
}

// The controls as made, before the creation sequence.
void CheckAsMade(HWND main)
{
    RECT client;
    GetClientRect(main, &client);
    if (client.right != MainWindow.rect.width || client.bottom != MainWindow.rect.height) {
        std::printf("window: client area %ld x %ld\n", client.right, client.bottom);
        ++differences;
    }
    std::vector<HWND> tabOrder;
    for (const ControlDescription& d : MainControls) {
        const HWND item = GetDlgItem(main, ControlId(d.role));
        RECT rect;
        GetWindowRect(item, &rect);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
        Expect(rect.left == d.rect.left && rect.top == d.rect.top &&
                   rect.right - rect.left == d.rect.width &&
                   rect.bottom - rect.top == d.rect.height,
               d, "geometry");
        wchar_t caption[64] = {};
        GetWindowTextW(item, caption, static_cast<int>(std::size(caption)));
        Expect(Wide(d.caption) == caption, d, "caption");
        if (d.kind == ControlKind::rateButton || d.kind == ControlKind::checkBox)
            Expect((SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED) == d.checked, d,
                   "checked");
        Expect(IsWindowEnabled(item), d, "enabled");
        if (d.font.face) {
            const LOGFONTW font = FontOf(item);
            Expect(Wide(d.font.face) == font.lfFaceName && font.lfHeight == -d.font.pixels, d,
                   "font");
        }
        const bool tabStop = GetWindowLongW(item, GWL_STYLE) & WS_TABSTOP;
        Expect(tabStop == TakesFocus(d), d, "tab stop");
        if (TakesFocus(d))
            tabOrder.push_back(item);
    }
    for (std::size_t i = 0; i < tabOrder.size(); ++i)
        if (GetNextDlgTabItem(main, tabOrder[i], FALSE) != tabOrder[(i + 1) % tabOrder.size()]) {
            std::printf("tab order: after control %d\n", GetDlgCtrlID(tabOrder[i]));
            ++differences;
        }
    const HWND slider = GetDlgItem(main, ControlId(Control::blockLength));
    const SliderDescription& s = BlockLengthSlider;
    const ControlDescription& d = Describe(Control::blockLength);
    Expect(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0) == s.minimum &&
               SendMessageW(slider, TBM_GETRANGEMAX, 0, 0) == s.maximum &&
               SendMessageW(slider, TBM_GETPOS, 0, 0) == s.position &&
               SendMessageW(slider, TBM_GETLINESIZE, 0, 0) == s.lineStep &&
               SendMessageW(slider, TBM_GETPAGESIZE, 0, 0) == s.pageStep &&
               SendMessageW(slider, TBM_GETNUMTICS, 0, 0) ==
                   (s.maximum - s.minimum) / s.tickStep + 1 &&
               (GetWindowLongW(slider, GWL_STYLE) & TBS_VERT),
           d, "slider");
}

// After the creation sequence: the hints and the face of the locale at 9 points, which is
// the described height at 96 pixels per inch.
void CheckLocale(HWND main, bool japanese)
{
    const std::map<Control, std::wstring> hints = Hints(main);
    for (const ControlDescription& d : MainControls) {
        const auto hint = hints.find(d.role);
        std::wstring expected;
        if (d.role == Control::blockLength)
            expected = L"BufferSize(0.5[sec])";
        else if (japanese && d.japaneseHint)
            expected = Wide(d.japaneseHint);
        Expect(hint == hints.end() ? expected.empty() : hint->second == expected, d, "hint");
        if (!d.font.face)
            continue;
        const LOGFONTW font = FontOf(GetDlgItem(main, ControlId(d.role)));
        Expect(Wide(japanese ? JapaneseFace : WesternFace) == font.lfFaceName &&
                   font.lfHeight == -d.font.pixels,
               d, "locale font");
    }
}

bool TokyoInShiftJis(std::string& name)
{
    name = "\x93\x8c\x8b\x9e (standard)";
    return true;
}

int Layout()
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WinmmWaveService service;
    QuietFrame frame;
    for (bool japanese : {false, true}) {
        // A first run: the slider at its preset position.
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        ReadStandardZoneName = japanese ? TokyoInShiftJis : SystemStandardZoneName;
        Win32DuctForm form(service, frame);
        CheckAsMade(form.Window());
        form.Form.FormOnCreate();
        CheckLocale(form.Window(), japanese);
    }
    return differences == 0 ? 0 : 1;
}

int MinimiseAndClose()
{
    const HWND main = FindMainWindow();
    if (!main)
        return 1;
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int tries = 0; tries < 100 && !IsIconic(main); ++tries)
        Sleep(100);
    if (!IsIconic(main))
        return 1;
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "window")
        return Window();
    if (command == "controls")
        return Controls();
    if (command == "boxes")
        return Boxes();
    if (command == "settings")
        return Settings();
    if (command == "layout")
        return Layout();
    if (command == "minimise-close")
        return MinimiseAndClose();
    std::fprintf(stderr,
                 "usage: windowdriver window|controls|boxes|settings|layout|minimise-close\n");
    return 2;
}
