// SPDX-License-Identifier: GPL-3.0-or-later
// The program's frame, whatever toolkit draws its windows: the main window made and its
// creation sequence run, then the About box, the message loop, and the end in its order.
#pragma once

#include "ui/about.h"
#include "ui/programframe.h"

#include <memory>

class TDuctForm;

// What a toolkit does for the frame; the main window is its own until it destroys it.
class Toolkit {
public:
    // The main window with its controls; its creation sequence is the caller's to run.
    virtual TDuctForm& CreateMainWindow(ProgramFrame& frame) = 0;
    // Hidden, and centred already.
    virtual std::unique_ptr<AboutWindow> CreateAboutBox() = 0;
    // Until the main window is closed.
    virtual void RunMessageLoop() = 0;
    // Its destroy step stops a running relay and saves the settings.
    virtual void DestroyMainWindow() = 0;
    [[noreturn]] virtual void EndProcess() = 0;

protected:
    ~Toolkit() = default;
};

class Program final : public ProgramFrame {
public:
    explicit Program(Toolkit& toolkit);

    // Runs the program; does not return: the end goes through HaltProgram.
    [[noreturn]] void Run();

    void ShowAboutBox() override;
    void HideAboutBox() override;
    // Destroys the About box, then the main window, and ends the process with exit code 0.
    [[noreturn]] void HaltProgram() override;

private:
    Toolkit& toolkit;
    std::unique_ptr<AboutWindow> aboutBox;
};
