// The program frame: names the application, creates the main window and the About box,
// runs the message loop and ends the program in order.
#pragma once

#include "ui/programframe.h"

class TDuctForm;
class WaveService;

class Application final : public ProgramFrame {
public:
    explicit Application(WaveService& service);

    // Runs the program; does not return: the end goes through HaltProgram.
    [[noreturn]] void Run();

    TAboutBox* AboutBox() override;
    [[noreturn]] void HaltProgram() override;

    TDuctForm* DuctForm = nullptr;

private:
    WaveService& service;
    TAboutBox* aboutBox = nullptr;
};
