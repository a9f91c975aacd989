// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for the window tests: a main window on virtual devices, a stand-in for the
// program frame and a clean settings store.
#pragma once

#include "platform/wave/sim/simwaveservice.h"
#include "ui/qt/qtductform.h"
#include "ui/programframe.h"
#include "ui/qt/stabout.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// Owns the About box; the tests never reach the program's end.
class TestFrame final : public ProgramFrame {
public:
    void ShowAboutBox() override { ::ShowAboutBox(about); }
    void HideAboutBox() override { about.hide(); }
    [[noreturn]] void HaltProgram() override;

    TAboutBox about;
};

// Deletes the stored settings so that each test starts from a first run.
void ClearSettings();
QString SettingsFilePath();

// The "Buffers" value in the stored settings, or -1 when there is none.
int StoredBufferPosition();

// Virtual devices that note, when the capture device closes, whether the settings held
// a block length of `marker` by then.
class ClosingService : public SimWaveService {
public:
    ClosingService(std::vector<SimDevice> in, std::vector<SimDevice> out, int marker);
    MMRESULT waveInClose(HWAVEIN hwi) override;

    int marker;
    bool inClosed = false;
    bool savedAtInClose = false;
};

SimDevice Device(const char* name, DWORD formats = 0xFFF);

// A main window on the given service, its creation sequence run.
std::unique_ptr<QtDuctForm> CreateForm(WaveService& service, ProgramFrame& frame);

// Handles the queued device notifications.
void DeliverNotifications();
