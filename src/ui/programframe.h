// What the main window needs of the program around it: the About box and the orderly end.
#pragma once

class TAboutBox;

class ProgramFrame {
public:
    // The About box, or nullptr while it has not been created yet.
    virtual TAboutBox* AboutBox() = 0;
    // Destroys the windows (About box first), then ends the process with exit code 0.
    [[noreturn]] virtual void HaltProgram() = 0;

protected:
    ~ProgramFrame() = default;
};
