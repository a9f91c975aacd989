// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/win32/application.h"

#include "ui/win32/stabout.h"
#include "ui/win32/win32ductform.h"

Application::Application(WaveService& service) : service(service) {}

void Application::Run()
{
    Program(*this).Run();
}

TDuctForm& Application::CreateMainWindow(ProgramFrame& frame)
{
    mainWindow = new Win32DuctForm(service, frame);
    return mainWindow->Form;
}

std::unique_ptr<AboutWindow> Application::CreateAboutBox()
{
    auto box = std::make_unique<TAboutBox>();
    aboutBox = box.get();
    return box;
}

void Application::RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys in the rate group and Enter as in the platform's dialogs.
        if (IsDialogMessageW(mainWindow->Window(), &message) ||
            IsDialogMessageW(aboutBox->Window(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Application::DestroyMainWindow()
{
    delete mainWindow;
    mainWindow = nullptr;
}

void Application::EndProcess()
{
    ExitProcess(0);
}
