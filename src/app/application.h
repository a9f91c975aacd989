// SPDX-License-Identifier: GPL-3.0-or-later
// The program on Qt Widgets: names the application, makes its two windows for the program's
// frame (ui/program.h), runs Qt's message loop and ends the process.
#pragma once

#include "ui/program.h"

class QtDuctForm;
class WaveService;

class Application final : public Toolkit {
public:
    explicit Application(WaveService& service);

    // Runs the program; does not return.
    [[noreturn]] void Run();

    QtDuctForm* DuctForm = nullptr;

private:
    TDuctForm& CreateMainWindow(ProgramFrame& frame) override;
    std::unique_ptr<AboutWindow> CreateAboutBox() override;
    void RunMessageLoop() override;
    void DestroyMainWindow() override;
    [[noreturn]] void EndProcess() override;

    WaveService& service;
};
