// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the program's windows from outside, as a tool on the same desktop does, for the
// window test: windowdriver COMMAND, one of
//   window     the main window's outer and client rectangles, once it shows (up to 2 min)
//   controls   each control of the main window: name, class, rectangle on the screen,
//              enabled, checked or position, caption or selected entry
//   boxes      the message boxes shown: caption, text, and where their OK button is
//   settings   the values stored under the program's settings key
//   minimise-close  minimises the main window from its system menu, then closes it
#include "ui/win32/controlids.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const Names[] = {"ComboBox1", "ComboBox2",   "RB4410",    "RB2205",
                             "RB1102",    "CB_16bit",    "CB_Stereo", "Bufset",
                             "InButton",  "AboutButton", "Panel1",    "Panel2",
                             "RadioGroup1", "GroupBox1", "RadioGroup2"};

HWND MainWindow()
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
        const HWND main = MainWindow();
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
    const HWND main = MainWindow();
    if (!main)
        return 1;
    for (int i = 0; i < static_cast<int>(std::size(Names)); ++i) {
        const HWND item = GetDlgItem(main, ControlId(static_cast<Control>(i)));
        char kind[64] = {};
        GetClassNameA(item, kind, sizeof kind);
        RECT rect;
        GetWindowRect(item, &rect);
        std::printf("%s\t%s\t", Names[i], kind);
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
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Phonoduct", 0, KEY_READ, &key))
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

int MinimiseAndClose()
{
    const HWND main = MainWindow();
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
    if (command == "minimise-close")
        return MinimiseAndClose();
    std::fprintf(stderr, "usage: windowdriver window|controls|boxes|settings|minimise-close\n");
    return 2;
}
