# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program on the private desktop: started with its own settings folder, its
controls found through the accessibility bus, clicked and typed at through the X server as a
user would, its message boxes read and answered, its window closed from the title bar."""
import os
import re
import shutil
import subprocess
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from Xlib import X, Xatom, Xutil, protocol  # noqa: E402

from . import processes  # noqa: E402

PROGRAM = os.environ.get("PHONODUCT_PROGRAM") or os.path.join(
    os.path.dirname(__file__), "..", "..", "..", "build", "phonoduct")

# Control names of the main window, found by their accessible role and their order there.
_CONTROLS = {
    "outputList": ("combo box", 0), "inputList": ("combo box", 1),
    "rate44100": ("radio button", 0), "rate22050": ("radio button", 1),
    "rate11025": ("radio button", 2),
    "sixteenBits": ("check box", 0), "stereo": ("check box", 1), "blockLength": ("slider", 0),
    "startButton": ("push button", 0), "aboutButton": ("push button", 1),
    "outputLabel": ("label", 0), "inputLabel": ("label", 1),
    "deviceGroup": ("panel", "Wave Device Select"), "rateGroup": ("panel", "Sampling Rate"),
    "formGroup": ("panel", "Bits & Stereo"),
}
_BOX_ROLES = {"dialog", "alert"}


class Program:
    def __init__(self, desktop, server=None, settings=None, env=None, wrapper=(),
                 executable=PROGRAM, start=True):
        """`settings`: the folder that holds the settings (XDG_CONFIG_HOME); a new empty one
        by default, so that the program makes its first run. `env`: variables to set, or to
        unset where the value is None. `wrapper`: a command that runs the program, given as
        its last argument, in the same process (by exec), such as a namespace of its own, or
        as a child process, such as a launcher. `executable`: the program's file. `start`: whether
        the program starts on entering a with block."""
        self.start_at_enter = start
        self.desktop = desktop
        self.executable = os.path.abspath(executable)
        self._own_settings = settings is None
        self.settings_home = settings or tempfile.mkdtemp(prefix="phonoduct-settings-")
        self.env = dict(os.environ, **desktop.env, XDG_CONFIG_HOME=self.settings_home,
                        QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        if server is not None:
            self.env.update(server.env)
        for name, value in (env or {}).items():
            if value is None:
                self.env.pop(name, None)
            else:
                self.env[name] = value
        self.wrapper = list(wrapper)
        self.env.pop("AT_SPI_BUS_ADDRESS", None)
        self.log = os.path.join(desktop.folder, "program.log")
        self.process = None
        self.launched = None
        self._x = desktop.open_display()

    def __enter__(self):
        if self.start_at_enter:
            self.start()
        return self

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            processes.stop(self.process)
        self._x.close()
        if self._own_settings:
            shutil.rmtree(self.settings_home, ignore_errors=True)
        return False

    def start(self):
        self.launched = time.monotonic()
        self.process = processes.start([*self.wrapper, self.executable], self.log, env=self.env)

    def wait_window(self, timeout=20):
        """Waits until the main window shows; the time since launch, in seconds."""
        processes.wait_until(lambda: self._main_frame() is not None, timeout, "main window")
        return time.monotonic() - self.launched

    def wait_exit(self, timeout=20):
        """The exit code, once the program has ended."""
        return self.process.wait(timeout)

    # The controls

    def control(self, name):
        role, which = _CONTROLS[name]
        frame = self._main_frame()
        if frame is None:
            raise LookupError("the main window is not shown")
        found = [child for child in _children(frame) if child.get_role_name() == role]
        if isinstance(which, str):
            found = [child for child in found if child.get_name() == which]
            which = 0
        return Control(self, found[which])

    def click(self, name):
        return self.control(name).click()

    def key(self, *keys):
        """Types keys (xdotool names: Tab, Down, space, Return...) into the focused window."""
        subprocess.run(["xdotool", "key", "--delay", "30", *keys], env=self.env, check=True,
                       timeout=30)

    def select(self, name, text):
        """Selects an entry of a device list with the keyboard: click, close the list that
        opens, then Home and Down to the entry, each step a user's selection."""
        control = self.control(name)
        items = control.items()
        index = items.index(text)
        control.click()
        self.key("Escape")
        self.key("Home", *["Down"] * index)
        processes.wait_until(lambda: self.control(name).caption() == text, 10, f"{name}: {text}")

    # Message boxes

    def message_boxes(self):
        """The message boxes shown now, as Box objects."""
        boxes = []
        for window in _children(self._application() or _Nothing()):
            if window.get_role_name() in _BOX_ROLES and _showing(window):
                boxes.append(Box(self, window))
        return boxes

    def wait_box(self, timeout=10):
        return processes.wait_until(lambda: (self.message_boxes() or [None])[0], timeout,
                                    "message box")

    def answer_boxes(self, quiet=1.0, timeout=30):
        """Presses OK on every box that shows until none has shown for `quiet` seconds;
        the (caption, text) of each, in order."""
        answered = []
        deadline = time.monotonic() + timeout
        last = time.monotonic()
        while time.monotonic() - last < quiet:
            if time.monotonic() > deadline:
                raise TimeoutError(f"message boxes keep coming: {answered}")
            boxes = self.message_boxes()
            if boxes:
                answered.append((boxes[0].caption, boxes[0].text))
                boxes[0].ok()
                last = time.monotonic()
            else:
                time.sleep(0.05)
        return answered

    # The window

    def window_id(self, title="Phonoduct"):
        """The X window of the program's window with `title` (the client window, inside any
        frame)."""
        return processes.wait_until(lambda: self._find_window(title), 10, f"X window {title}")

    def outer_geometry(self, title="Phonoduct"):
        """Left, top, width and height on the screen of the window with its frame."""
        window = self._x.create_resource_object("window", self.window_id(title))
        root = self._x.screen().root
        while (parent := window.query_tree().parent) != root:
            window = parent
        geometry = window.get_geometry()
        return geometry.x, geometry.y, geometry.width, geometry.height

    def asked_position(self):
        """Where the main window asked the window manager to put its frame (WM_NORMAL_HINTS)."""
        window = self._x.create_resource_object("window", self.window_id())
        # Flags, then the left and top edges that the library's hints leave out as obsolete.
        hints = window.get_full_property(Xatom.WM_NORMAL_HINTS, Xatom.WM_SIZE_HINTS).value
        assert hints[0] & Xutil.USPosition, "no position asked for"
        return tuple(int(value) - (1 << 32) * (value >> 31) for value in hints[1:3])

    def close(self):
        """Closes the main window from its title bar (WM_DELETE_WINDOW)."""
        window = self._x.create_resource_object("window", self.window_id())
        protocols = self._x.intern_atom("WM_PROTOCOLS")
        delete = self._x.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=0)
        self._x.flush()

    def settings(self):
        """The stored values, by name: numbers for dwords, text for strings."""
        path = os.path.join(self.settings_home, "phonoduct", "registry.reg")
        values = {}
        with open(path, encoding="utf-8", errors="replace") as text:
            for line in text:
                match = re.match(r'"([^"]+)"=(?:dword:([0-9a-fA-F]+)|"(.*)")\s*$', line)
                if match:
                    name, number, string = match.groups()
                    values[name] = int(number, 16) if number else string
        return values

    def _application(self):
        desktop = Atspi.get_desktop(0)
        desktop.clear_cache()
        for application in _children(desktop):
            if application.get_process_id() in self._pids():
                return application
        return None

    def _pids(self):
        """The started process and all its descendants."""
        found = []
        pending = [self.process.pid]
        while pending:
            pid = pending.pop()
            found.append(pid)
            try:
                with open(f"/proc/{pid}/task/{pid}/children") as children:
                    pending.extend(int(child) for child in children.read().split())
            except OSError:
                pass  # ended meanwhile
        return found

    def _main_frame(self):
        application = self._application()
        for window in _children(application or _Nothing()):
            if window.get_name() == "Phonoduct" and window.get_role_name() not in _BOX_ROLES \
                    and _showing(window):
                return window
        return None

    def _find_window(self, title):
        pid_atom = self._x.intern_atom("_NET_WM_PID")
        pending = [self._x.screen().root]
        while pending:
            window = pending.pop()
            pid = window.get_full_property(pid_atom, X.AnyPropertyType)
            if pid and pid.value[0] in self._pids() and window.get_wm_name() == title:
                return window.id
            pending.extend(window.query_tree().children)
        return None


def write_settings(folder, values):
    """Stores settings in the folder that Program(settings=folder) reads: strings for text,
    numbers as dwords."""
    lines = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Halvorn\\Phonoduct]"]
    for name, value in values.items():
        text = f"dword:{value & 0xFFFFFFFF:08x}" if isinstance(value, int) else f'"{value}"'
        lines.append(f'"{name}"={text}')
    os.makedirs(os.path.join(folder, "phonoduct"), exist_ok=True)
    with open(os.path.join(folder, "phonoduct", "registry.reg"), "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


class Control:
    def __init__(self, program, accessible):
        self.program = program
        self.accessible = accessible

    def caption(self):
        return self.accessible.get_name()

    def hint(self):
        """The tool tip."""
        return self.accessible.get_description()

    def _state(self, state):
        return self.accessible.get_state_set().contains(state)

    def enabled(self):
        return self._state(Atspi.StateType.ENABLED)

    def checked(self):
        return self._state(Atspi.StateType.CHECKED)

    def focused(self):
        return self._state(Atspi.StateType.FOCUSED)

    def value(self):
        return int(self.accessible.get_value_iface().get_current_value())

    def items(self):
        lists = [child for child in _children(self.accessible) if child.get_role_name() == "list"]
        return [item.get_name() for item in _children(lists[0])] if lists else []

    def extents(self):
        """Left, top, width, height on the screen."""
        box = self.accessible.get_extents(Atspi.CoordType.SCREEN)
        return box.x, box.y, box.width, box.height

    def click(self):
        """Clicks the middle of the control; the time (monotonic) just before the press."""
        left, top, width, height = self.extents()
        # No --sync: it waits for a motion that never comes when the pointer is already there.
        self._xdotool("mousemove", str(left + width // 2), str(top + height // 2))
        pressed = time.monotonic()
        self._xdotool("click", "1")
        return pressed

    def press(self):
        """Presses the control through the accessibility bus: on a Wayland session no other
        program may click it."""
        self.accessible.get_action_iface().do_action(0)

    def _xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], env=self.program.env, check=True, timeout=30)


class Box:
    def __init__(self, program, accessible):
        self.program = program
        self.accessible = accessible
        self.caption = accessible.get_name()
        labels = [child.get_name() for child in _descendants(accessible)
                  if child.get_role_name() == "label" and child.get_name()]
        self.text = "\n".join(labels)

    def ok(self):
        for child in _descendants(self.accessible):
            if child.get_role_name() == "push button" and child.get_name() == "OK":
                Control(self.program, child).click()
                return
        raise LookupError(f"no OK button in the box {self.caption!r}")


class _Nothing:
    def get_child_count(self):
        return 0


def _children(accessible):
    children = []
    for index in range(accessible.get_child_count()):
        child = accessible.get_child_at_index(index)
        if child is not None:
            children.append(child)
    return children


def _descendants(accessible):
    for child in _children(accessible):
        yield child
        yield from _descendants(child)


def _showing(accessible):
    return accessible.get_state_set().contains(Atspi.StateType.SHOWING)
