// SPDX-License-Identifier: GPL-3.0-or-later
// The Start/Stop button and the block-length slider.
#include "ui/main.h"

#include "ui/programframe.h"

void TDuctForm::InButOnClick()
{
    controls.SetInButtonEnabled(false);
    // A relay whose playback device alone opened is running too: a press stops it.
    if (Engine.InOpen || Engine.OutOpen) {
        Engine.StopRelay();
        controls.SetBufsetEnabled(true);
        controls.SetInButtonCaption("Close");
        UpdateAndApplyCaps();
    } else if (Engine.QueryDevices()) {
        if (controls.InButtonCaption() == "Close")
            frame.HaltProgram();
        controls.SetBufsetEnabled(false);
        frame.HideAboutBox();
        Engine.StartRelay();
        controls.SetInButtonCaption("Stop");
    }
    controls.SetInButtonEnabled(true);
}

void TDuctForm::BufsetChange()
{
    const int tenths = 12 - controls.BufsetPosition();
    controls.SetHint(Control::Bufset, "BufferSize(" + std::to_string(tenths / 10) + "."
                                          + std::to_string(tenths % 10) + "[sec])");
}
