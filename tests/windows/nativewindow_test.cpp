// SPDX-License-Identifier: GPL-3.0-or-later
// The native main window in the test's own process, where its controls' input contexts can
// be read: the output list keeps the input method off, the input list leaves it as it is.
// It needs a display with an input method: the window test runs it on its desktop.
#include "platform/wave/winmm/winmmwaveservice.h"
#include "ui/programframe.h"
#include "ui/win32/controlids.h"
#include "ui/win32/win32ductform.h"

#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class NoFrame : public ProgramFrame {
public:
    void ShowAboutBox() override {}
    void HideAboutBox() override {}
    [[noreturn]] void HaltProgram() override { std::abort(); }
};

bool HasInputContext(HWND control)
{
    const HIMC context = ImmGetContext(control);
    ImmReleaseContext(control, context);
    return context != nullptr;
}

}  // namespace

TEST(NativeWindow, OutputListWithoutInputMethod)
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WinmmWaveService service;
    NoFrame frame;
    Win32DuctForm form(service, frame);
    EXPECT_FALSE(HasInputContext(GetDlgItem(form.Window(), ControlId(Control::outputList))));
    EXPECT_TRUE(HasInputContext(GetDlgItem(form.Window(), ControlId(Control::inputList))));
}
