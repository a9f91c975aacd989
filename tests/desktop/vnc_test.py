# SPDX-License-Identifier: GPL-3.0-or-later
"""scripts/run --vnc: the window on a private X server, served to a VNC viewer that gives the
password printed at start, on the loopback interface unless --vnc-listen names another
address. Runs in a network namespace of its own (CMakeLists.txt) where a veth pair gives the
machine an address besides the loopback; nothing leaves the namespace."""
import os
import re
import socket
import struct
import subprocess
import tempfile
import unittest

from harness import processes
from harness.audio import AudioServer
from harness.program import PROGRAM

LAUNCH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "launch")
ADDRESS = "10.213.0.1"
VNC_AUTH = 2
X_SOCKETS = "/tmp/.X11-unix"


def setUpModule():
    # A namespace made for the test has the loopback interface and nothing else.
    if [name for _, name in socket.if_nameindex()] != ["lo"]:
        raise RuntimeError("vnc_test runs in a network namespace of its own only")
    for command in ("link set lo up", "link add pd0 type veth peer name pd1",
                    f"addr add {ADDRESS}/24 dev pd0", "link set pd0 up", "link set pd1 up"):
        subprocess.run(["ip", *command.split()], check=True, timeout=10)
    # The X servers outside listen on abstract sockets, which the namespace does not see: ours
    # would take the display number of one of them and replace its socket file, through which
    # the other tests' connections would then reach our server, and die with it.
    os.makedirs(X_SOCKETS, mode=0o1777, exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "mode=1777", "tmpfs", X_SOCKETS], check=True,
                   timeout=10)


class Launch:
    """scripts/launch --vnc on its own port, on a private audio server; its password."""

    def __init__(self, *options):
        self.options = options

    def __enter__(self):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.server = AudioServer().__enter__()
        self.log = os.path.join(self.server.parent, "launch.log")
        env = dict(os.environ, **self.server.env, XDG_CONFIG_HOME=self.server.parent)
        env.pop("DISPLAY", None)
        self.launcher = processes.start([LAUNCH, "/nonexistent", os.path.abspath(PROGRAM),
                                         "--vnc", str(self.port), *self.options], self.log,
                                        env=env)
        self.line = processes.wait_until(self._first_line, 30, "the launcher's line")
        self.password = re.search(r"password (\S+) ", self.line).group(1)
        return self

    def __exit__(self, *exc):
        processes.stop(self.launcher)
        self.server.__exit__(*exc)
        return False

    def _first_line(self):
        with open(self.log) as log:
            line = log.readline()
        return line if line.endswith("\n") else None


class Viewer:
    """The client's side of an RFB 3.8 handshake."""

    def __init__(self, address, port):
        self.connection = socket.create_connection((address, port), timeout=10)
        self.version = self._read(12)
        self.connection.sendall(b"RFB 003.008\n")
        self.security_types = list(self._read(self._read(1)[0]))

    def close(self):
        self.connection.close()

    def log_in(self, password):
        """VNC authentication; whether the server accepted it."""
        self.connection.sendall(bytes([VNC_AUTH]))
        challenge = self._read(16)
        self.connection.sendall(_des(password, challenge))
        return struct.unpack(">I", self._read(4))[0] == 0

    def lit_pixels(self):
        """The number of pixels that are not black on the screen, read in raw encoding."""
        self.connection.sendall(b"\x01")  # ClientInit, shared
        width, height = struct.unpack(">HH", self._read(4))
        self._read(16)  # the pixel format: 32 bits, the unused byte last or first
        self._read(struct.unpack(">I", self._read(4))[0])  # the desktop's name
        self.connection.sendall(struct.pack(">BxHi", 2, 1, 0))  # raw encoding only
        self.connection.sendall(struct.pack(">BBHHHH", 3, 0, 0, 0, width, height))
        message, rectangles = struct.unpack(">BxH", self._read(4))
        assert message == 0, message
        lit = 0
        for _ in range(rectangles):
            _, _, w, h, _ = struct.unpack(">HHHHi", self._read(12))
            data = self._read(w * h * 4)
            lit += sum(1 for i in range(0, len(data), 4) if data[i:i + 3] != b"\0\0\0")
        return lit

    def _read(self, size):
        data = b""
        while len(data) < size:
            part = self.connection.recv(size - len(data))
            if not part:
                raise ConnectionError("the server closed the connection")
            data += part
        return data


def _des(password, challenge):
    """The challenge encrypted with DES, the password's bytes bit-reversed as its key."""
    key = bytes(int(f"{byte:08b}"[::-1], 2) for byte in password.encode().ljust(8, b"\0")[:8])
    return subprocess.run(["openssl", "enc", "-des-ecb", "-nopad", "-K", key.hex(),
                           "-provider", "legacy", "-provider", "default"], input=challenge,
                          capture_output=True, check=True, timeout=10).stdout


def _reach(address, port, password):
    """Logs in as a viewer would; whether the password was accepted."""
    viewer = Viewer(address, port)
    try:
        return viewer.log_in(password)
    finally:
        viewer.close()


class VncTest(unittest.TestCase):
    def test_loopback_only_and_the_password(self):
        with Launch() as launch:
            self.assertIn(f"on port {launch.port} of 127.0.0.1, password {launch.password} ",
                          launch.line)
            self.assertIn(f"ssh -L {launch.port}:localhost:{launch.port}", launch.line)
            viewer = processes.wait_until(lambda: _viewer("127.0.0.1", launch.port), 30,
                                          "VNC server")
            self.assertEqual((viewer.version, viewer.security_types),
                             (b"RFB 003.008\n", [VNC_AUTH]))
            viewer.close()
            self.assertFalse(_reach("127.0.0.1", launch.port, "wrong"))
            # The window drawn on the black screen, where the pointer alone lights 128 pixels.
            processes.wait_until(lambda: self._lit(launch, "127.0.0.1") > 200 * 150, 30,
                                 "the window on the screen")
            with self.assertRaises(ConnectionRefusedError):
                socket.create_connection((ADDRESS, launch.port), timeout=10)

    def test_listen_opens_the_other_address_with_the_password(self):
        with Launch("--vnc-listen", ADDRESS) as launch:
            self.assertIn(f"on port {launch.port} of {ADDRESS}, password ", launch.line)
            viewer = processes.wait_until(lambda: _viewer(ADDRESS, launch.port), 30,
                                          "VNC server")
            self.assertEqual(viewer.security_types, [VNC_AUTH])
            viewer.close()
            self.assertFalse(_reach(ADDRESS, launch.port, "wrong"))
            self.assertTrue(_reach(ADDRESS, launch.port, launch.password))

    def _lit(self, launch, address):
        viewer = Viewer(address, launch.port)
        try:
            self.assertTrue(viewer.log_in(launch.password))
            return viewer.lit_pixels()
        finally:
            viewer.close()


def _viewer(address, port):
    try:
        return Viewer(address, port)
    except ConnectionRefusedError:
        return None
