// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/endsignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <cassert>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A handler may do next to nothing: it writes one byte to a pipe whose other end the
// message loop watches (the self-pipe).
int pipeEnds[2] = {-1, -1};

void OnEndSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a pending end: the byte may be dropped.
    [[maybe_unused]] ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = saved;
}

}  // namespace

void CloseOnEndSignals(QWidget& window)
{
    assert(pipeEnds[0] == -1);
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "phonoduct: no pipe for the end signals: %s\n", std::strerror(errno));
        return;
    }
    auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char bytes[16];
        while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
        }
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
