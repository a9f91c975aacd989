// SPDX-License-Identifier: GPL-3.0-or-later
// The program on the platform's own controls: makes its two windows for the program's frame
// (ui/program.h), runs the message loop as the platform's dialogs do and ends the process.
#pragma once

#include "ui/program.h"

class TAboutBox;
class WaveService;
class Win32DuctForm;

class Application final : public Toolkit {
public:
    explicit Application(WaveService& service);

    // Runs the program; does not return.
    [[noreturn]] void Run();

private:
    TDuctForm& CreateMainWindow(ProgramFrame& frame) override;
    std::unique_ptr<AboutWindow> CreateAboutBox() override;
    void RunMessageLoop() override;
    void DestroyMainWindow() override;
    [[noreturn]] void EndProcess() override;

    WaveService& service;
    Win32DuctForm* mainWindow = nullptr;
    TAboutBox* aboutBox = nullptr;  // the frame's, until the loop has ended
};
