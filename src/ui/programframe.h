// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window needs of the program around it: the About box and the orderly end.
#pragma once

class ProgramFrame {
public:
    // Shows the About box and brings it to the front, without waiting for it.
    virtual void ShowAboutBox() = 0;
    virtual void HideAboutBox() = 0;
    // Destroys the windows (About box first), then ends the process with exit code 0.
    [[noreturn]] virtual void HaltProgram() = 0;

protected:
    ~ProgramFrame() = default;
};
