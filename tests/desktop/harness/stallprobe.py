# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures how long the program's UI thread leaves events unhandled: a _NET_WM_PING goes to
the main window every 10 ms, and the toolkit answers each from the UI thread's event loop. A
ping's round trip is the time the UI thread took to come back to its events."""
import select
import threading
import time

import Xlib.error
from Xlib import X, protocol


class StallProbe:
    PERIOD = 0.010

    def __init__(self, program):
        self._x = program.desktop.open_display()
        self._window = self._x.create_resource_object("window", program.window_id())
        self._root = self._x.screen().root
        self._protocols = self._x.intern_atom("WM_PROTOCOLS")
        self._ping = self._x.intern_atom("_NET_WM_PING")
        # The toolkit sends its answer to the root window for StructureNotify listeners.
        self._root.change_attributes(event_mask=X.StructureNotifyMask)
        self.samples = []  # (time sent, round trip in seconds)
        self._sent = {}
        self._running = True
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def stop(self):
        """Ends the probe; a ping still unanswered counts until now."""
        self._running = False
        self._thread.join(10)
        now = time.monotonic()
        self.samples.extend((sent, now - sent) for sent in self._sent.values())
        self.samples.sort()
        self._x.close()
        return self

    def longest(self, start=None, end=None):
        """The longest round trip of the pings sent between two moments."""
        trips = [trip for sent, trip in self.samples
                 if (start is None or sent >= start) and (end is None or sent < end)]
        return max(trips, default=0.0)

    def _run(self):
        try:
            self._ping_until_stopped()
        except Xlib.error.ConnectionClosedError:
            pass  # the desktop went away first

    def _ping_until_stopped(self):
        number = 0
        next_ping = time.monotonic()
        while self._running:
            now = time.monotonic()
            if now >= next_ping:
                number += 1
                self._send(number, now)
                next_ping = now + self.PERIOD
            readable, _, _ = select.select([self._x.fileno()], [], [], max(next_ping - now, 0))
            if readable or self._x.pending_events():
                self._receive()

    def _send(self, number, now):
        event = protocol.event.ClientMessage(
            window=self._window, client_type=self._protocols,
            data=(32, [self._ping, number, self._window.id, 0, 0]))
        self._window.send_event(event, event_mask=0)
        self._x.flush()
        self._sent[number] = now

    def _receive(self):
        while self._x.pending_events():
            event = self._x.next_event()
            if event.type != X.ClientMessage or event.client_type != self._protocols:
                continue
            fields = event.data[1]
            sent = self._sent.pop(fields[1], None) if fields[0] == self._ping else None
            if sent is not None:
                self.samples.append((sent, time.monotonic() - sent))
