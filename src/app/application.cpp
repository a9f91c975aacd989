// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/endsignals.h"

#include "ui/qt/qtductform.h"
#include "ui/qt/stabout.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

Application::Application(WaveService& service) : service(service) {}

void Application::Run()
{
    QCoreApplication::setApplicationName(QStringLiteral("Phonoduct"));
    // Closing the main window ends the program even while the About box is shown.
    QApplication::setQuitOnLastWindowClosed(false);
    Program(*this).Run();
}

TDuctForm& Application::CreateMainWindow(ProgramFrame& frame)
{
    DuctForm = new QtDuctForm(service, frame);
    CloseOnEndSignals(*DuctForm);
    return DuctForm->Form;
}

std::unique_ptr<AboutWindow> Application::CreateAboutBox()
{
    return std::make_unique<TAboutBox>();
}

void Application::RunMessageLoop()
{
    // The session manager's end of the session (its "die") ends this loop too.
    QApplication::exec();
}

void Application::DestroyMainWindow()
{
    delete DuctForm;
    DuctForm = nullptr;
}

void Application::EndProcess()
{
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // The leak check runs at the process end, which _Exit skips: what the program's own
    // end leaves unreachable is reported here.
    __lsan_do_leak_check();
#endif
    // Ends at once, as the process end does on the platform: the audio service's own
    // threads and the toolkit are not torn down one by one.
    std::_Exit(0);
}
