// SPDX-License-Identifier: GPL-3.0-or-later
// Phonoduct: relays sound from a capture device to a playback device.
#include "app/application.h"
#include "platform/wave/pulse/pulsewaveservice.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    // A Wayland window cannot place itself. Where the session serves X11 programs too
    // (XWayland), the window goes there, so that the stored position and its clamp to the
    // screen hold; Wayland itself is the fallback. A platform the user chose stands.
    if (std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb;wayland", 0);
    QApplication toolkit(argc, argv);
    PulseWaveService service;
    Application(service).Run();
}
