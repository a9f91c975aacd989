// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/win32/application.h"

#include "ui/win32/stabout.h"
#include "ui/win32/win32ductform.h"

Application::Application(WaveService& service) : service(service) {}

void Application::Run()
{
    // The reference is set before the creation sequence runs, which may end the program.
    DuctForm = new Win32DuctForm(service, *this);
    DuctForm->Form.FormOnCreate();
    aboutBox = new TAboutBox();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys in the rate group and Enter as in the platform's dialogs.
        if (IsDialogMessageW(DuctForm->Window(), &message) ||
            IsDialogMessageW(aboutBox->Window(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    HaltProgram();
}

void Application::ShowAboutBox()
{
    if (aboutBox)
        aboutBox->Show();
}

void Application::HideAboutBox()
{
    if (aboutBox)
        aboutBox->Hide();
}

void Application::HaltProgram()
{
    delete aboutBox;
    aboutBox = nullptr;
    // Destroying the main window stops a running relay and saves the settings.
    delete DuctForm;
    DuctForm = nullptr;
    ExitProcess(0);
}
