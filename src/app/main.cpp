// SPDX-License-Identifier: GPL-3.0-or-later
// Phonoduct: relays sound from a capture device to a playback device.
#include "app/application.h"
#include "platform/wave/pulse/pulsewaveservice.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication toolkit(argc, argv);
    PulseWaveService service;
    Application(service).Run();
}
