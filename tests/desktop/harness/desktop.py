# SPDX-License-Identifier: GPL-3.0-or-later
"""A private desktop for one test process: an Xvfb screen, optionally the openbox window
manager, and a D-Bus session with the accessibility bus through which controls are read."""
import os
import shutil
import subprocess
import tempfile

from Xlib import X, display as xdisplay

from . import processes


class Desktop:
    def __init__(self, width=1024, height=768, window_manager=False):
        self.size = (width, height)
        self.window_manager = window_manager
        self.folder = None
        self.env = {}
        self._processes = []

    def __enter__(self):
        if "PHONODUCT_DESKTOP" in os.environ:
            raise RuntimeError("one desktop per test process")
        self.folder = tempfile.mkdtemp(prefix="phonoduct-desktop-")
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        log = os.path.join(self.folder, "desktop.log")
        self.env = {"XDG_RUNTIME_DIR": runtime,
                    "DBUS_SESSION_BUS_ADDRESS": f"unix:path={self.folder}/bus"}
        self.env.update(self._start_display(log))
        # The accessibility library of this process finds the bus through these.
        os.environ.update(self.env, PHONODUCT_DESKTOP=self.folder)
        self._start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                     f"--address={self.env['DBUS_SESSION_BUS_ADDRESS']}"], log)
        processes.wait_until(lambda: os.path.exists(f"{self.folder}/bus"), 10, "D-Bus session")
        self._start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"], log)
        if self.window_manager:
            self._start(["openbox", "--sm-disable"], log)
            processes.wait_until(self._window_manager_ready, 10, "openbox")
        return self

    def __exit__(self, *exc):
        for process in reversed(self._processes):
            processes.stop(process)
        os.environ.pop("PHONODUCT_DESKTOP", None)
        shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def open_display(self):
        """A connection of this process to the desktop's X server."""
        return xdisplay.Display(self.env["DISPLAY"])

    def grab(self, left, top, width, height):
        """The pixels of a part of the screen, as 4 bytes each (blue, green, red, unused)."""
        connection = self.open_display()
        try:
            root = connection.screen().root
            return root.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
        finally:
            connection.close()

    def screenshot(self, path):
        """Writes the whole screen as a PNG file."""
        width, height = self.size
        _write_png(path, width, height, self.grab(0, 0, width, height))

    def _start_display(self, log):
        """Starts the screen; the variables through which programs find it."""
        reader, writer = os.pipe()
        width, height = self.size
        self._start(["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{width}x{height}x24",
                     "-nolisten", "tcp", "-noreset"], log, pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise RuntimeError(f"Xvfb did not start; see {log}")
        return {"DISPLAY": f":{number}"}

    def _start(self, command, log, **options):
        env = dict(os.environ, **self.env)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        self._processes.append(processes.start(command, log, env=env, **options))

    def _window_manager_ready(self):
        connection = self.open_display()
        try:
            check = connection.intern_atom("_NET_SUPPORTING_WM_CHECK")
            return connection.screen().root.get_full_property(check, X.AnyPropertyType) is not None
        finally:
            connection.close()


class WaylandDesktop(Desktop):
    """A Wayland session instead of an X server: weston's headless compositor, with XWayland
    for X11 programs, as GNOME's and KDE's sessions have."""

    def _start_display(self, log):
        width, height = self.size
        socket = "wayland-phonoduct"
        self._start(["weston", "--backend=headless-backend.so", "--xwayland", "--idle-time=0",
                     f"--socket={socket}", f"--width={width}", f"--height={height}"], log)
        number = processes.wait_until(lambda: _xwayland_display(log), 10, "weston's XWayland")
        return {"WAYLAND_DISPLAY": socket, "DISPLAY": f":{number}",
                "XDG_SESSION_TYPE": "wayland"}


def _xwayland_display(log):
    with open(log, encoding="utf-8", errors="replace") as text:
        for line in text:
            if "xserver listening on display :" in line:
                return line.rsplit(":", 1)[1].strip()
    return None


def _write_png(path, width, height, bgrx):
    import struct
    import zlib

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = bytearray()
    stride = width * 4
    for y in range(height):
        row = bgrx[y * stride:(y + 1) * stride]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
        rows += b"\0" + rgb
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 6)))
        out.write(chunk(b"IEND", b""))
