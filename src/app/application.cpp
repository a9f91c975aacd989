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
    // The reference is set before the creation sequence runs, which may end the program.
    DuctForm = new QtDuctForm(service, *this);
    CloseOnEndSignals(*DuctForm);
    DuctForm->Form.FormOnCreate();
    aboutBox = new TAboutBox();
    // The session manager's end of the session (its "die") ends this loop too.
    QApplication::exec();
    HaltProgram();
}

void Application::ShowAboutBox()
{
    if (!aboutBox)
        return;
    aboutBox->show();
    aboutBox->raise();
    aboutBox->activateWindow();
}

void Application::HideAboutBox()
{
    if (aboutBox)
        aboutBox->hide();
}

void Application::HaltProgram()
{
    delete aboutBox;
    aboutBox = nullptr;
    // Destroying the main window stops a running relay and saves the settings.
    delete DuctForm;
    DuctForm = nullptr;
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
