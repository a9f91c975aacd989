// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a session (logout, shutdown), Ctrl+C in a terminal or a closed terminal reach the
// program as SIGTERM, SIGINT or SIGHUP: each is turned into the close of the main window on the
// UI thread, so that the program ends as the user ending it would (relay stopped, settings
// saved, exit code 0) instead of being cut off where it stands.
#pragma once

class QWidget;

// Installs the handlers once; a signal that arrives before the message loop runs is acted on
// when it does. `window` lives until the process ends.
void CloseOnEndSignals(QWidget& window);
