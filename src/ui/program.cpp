// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include "ui/main.h"

Program::Program(Toolkit& toolkit) : toolkit(toolkit) {}

void Program::Run()
{
    // The creation sequence may end the program (unusable settings): the main window is
    // the toolkit's to destroy by then.
    toolkit.CreateMainWindow(*this).FormOnCreate();
    aboutBox = toolkit.CreateAboutBox();
    toolkit.RunMessageLoop();
    HaltProgram();
}

void Program::ShowAboutBox()
{
    if (aboutBox)
        ::ShowAboutBox(*aboutBox);
}

void Program::HideAboutBox()
{
    if (aboutBox)
        aboutBox->SetShown(false);
}

void Program::HaltProgram()
{
    aboutBox.reset();
    toolkit.DestroyMainWindow();
    toolkit.EndProcess();
}
