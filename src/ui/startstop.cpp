// SPDX-License-Identifier: GPL-3.0-or-later
// The Start/Stop button and the block-length slider.
#include "ui/main.h"

#include "ui/programframe.h"

void TDuctForm::InButOnClick()
{
    controls.SetInButtonEnabled(false);
    // A relay whose playback device alone opened is running too: a press stops it.
    if (Engine.Running()) {
        Engine.StopRelay();
        controls.SetBlockLengthEnabled(true);
        controls.SetInButtonCaption("Close");
        ApplyCaps();
    } else if (Engine.QueryDevices()) {
        if (controls.InButtonCaption() == "Close")
            frame.HaltProgram();
        controls.SetBlockLengthEnabled(false);
        frame.HideAboutBox();
        Engine.StartRelay();
        controls.SetInButtonCaption("Stop");
    }
    controls.SetInButtonEnabled(true);
    // Disabled, the button lost the keyboard focus (to the next control, or to none): it
    // gets it back, so that the next key press stops or closes, as the caption says.
    controls.FocusInButton();
}

void TDuctForm::BufsetChange()
{
    const int tenths = 12 - controls.BlockLengthPosition();
    controls.SetHint(Control::blockLength, "BufferSize(" + std::to_string(tenths / 10) + "."
                                          + std::to_string(tenths % 10) + "[sec])");
}
