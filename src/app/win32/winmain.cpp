// SPDX-License-Identifier: GPL-3.0-or-later
// Phonoduct on Windows: relays sound from a capture device to a playback device.
#include "app/win32/application.h"
#include "platform/wave/winmm/winmmwaveservice.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WinmmWaveService service;
    Application(service).Run();
}
