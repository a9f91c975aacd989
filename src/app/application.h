// SPDX-License-Identifier: GPL-3.0-or-later
// The program frame: names the application, creates the main window and the About box,
// runs the message loop and ends the program in order.
#pragma once

#include "ui/programframe.h"

class QtDuctForm;
class TAboutBox;
class WaveService;

class Application final : public ProgramFrame {
public:
    explicit Application(WaveService& service);

    // Runs the program; does not return: the end goes through HaltProgram.
    [[noreturn]] void Run();

    void ShowAboutBox() override;
    void HideAboutBox() override;
    [[noreturn]] void HaltProgram() override;

    QtDuctForm* DuctForm = nullptr;

private:
    WaveService& service;
    TAboutBox* aboutBox = nullptr;
};
