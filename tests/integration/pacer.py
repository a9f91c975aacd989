#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Records a sink's monitor in 10 ms pieces without keeping the sink awake:
    pacer.py SOURCE
A null sink that resumes from suspension first renders as far ahead as its latency allows, 2 s
when no stream asks for less, and a stream that joined it then waits for that render to end.
This stream asks for 10 ms, so the sink resumes at the pace a hardware device keeps, and it
does not count as a use of the sink, so the sink still suspends when idle. libpulse through
ctypes: the command-line tools cannot ask for that."""
import ctypes
import sys

PA_SAMPLE_S16LE = 3
PA_STREAM_ADJUST_LATENCY = 0x2000
PA_STREAM_DONT_INHIBIT_AUTO_SUSPEND = 0x8000
CONTEXT_READY, CONTEXT_FAILED, CONTEXT_TERMINATED = 4, 5, 6
STREAM_FAILED, STREAM_TERMINATED = 3, 4
DEFAULT = 0xFFFFFFFF


class SampleSpec(ctypes.Structure):
    _fields_ = [("format", ctypes.c_int), ("rate", ctypes.c_uint32),
                ("channels", ctypes.c_uint8)]


class BufferAttr(ctypes.Structure):
    _fields_ = [(name, ctypes.c_uint32)
                for name in ("maxlength", "tlength", "prebuf", "minreq", "fragsize")]


def load_pulse():
    pulse = ctypes.CDLL("libpulse.so.0")
    pointer = ctypes.c_void_p
    for name, result, arguments in (
            ("pa_mainloop_new", pointer, []),
            ("pa_mainloop_get_api", pointer, [pointer]),
            ("pa_mainloop_iterate", ctypes.c_int, [pointer, ctypes.c_int, pointer]),
            ("pa_context_new", pointer, [pointer, ctypes.c_char_p]),
            ("pa_context_connect", ctypes.c_int, [pointer, ctypes.c_char_p, ctypes.c_int, pointer]),
            ("pa_context_get_state", ctypes.c_int, [pointer]),
            ("pa_stream_new", pointer, [pointer, ctypes.c_char_p, pointer, pointer]),
            ("pa_stream_connect_record", ctypes.c_int,
             [pointer, ctypes.c_char_p, pointer, ctypes.c_int]),
            ("pa_stream_get_state", ctypes.c_int, [pointer]),
            ("pa_stream_readable_size", ctypes.c_size_t, [pointer]),
            ("pa_stream_peek", ctypes.c_int,
             [pointer, ctypes.POINTER(pointer), ctypes.POINTER(ctypes.c_size_t)]),
            ("pa_stream_drop", ctypes.c_int, [pointer])):
        function = getattr(pulse, name)
        function.restype = result
        function.argtypes = arguments
    return pulse


def main(source):
    pulse = load_pulse()
    loop = pulse.pa_mainloop_new()
    context = pulse.pa_context_new(pulse.pa_mainloop_get_api(loop), b"pacer")
    pulse.pa_context_connect(context, None, 0, None)
    while pulse.pa_context_get_state(context) not in (CONTEXT_READY, CONTEXT_FAILED,
                                                      CONTEXT_TERMINATED):
        pulse.pa_mainloop_iterate(loop, 1, None)
    if pulse.pa_context_get_state(context) != CONTEXT_READY:
        return "pacer: no audio server"
    sound_format = SampleSpec(PA_SAMPLE_S16LE, 44100, 2)
    attr = BufferAttr(DEFAULT, DEFAULT, DEFAULT, DEFAULT, 44100 * 4 // 100)
    stream = pulse.pa_stream_new(context, b"pacer", ctypes.byref(sound_format), None)
    pulse.pa_stream_connect_record(stream, source.encode(), ctypes.byref(attr),
                                   PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_INHIBIT_AUTO_SUSPEND)
    data = ctypes.c_void_p()
    size = ctypes.c_size_t()
    failed = ctypes.c_size_t(-1).value
    while pulse.pa_mainloop_iterate(loop, 1, None) >= 0:
        if pulse.pa_stream_get_state(stream) in (STREAM_FAILED, STREAM_TERMINATED):
            return f"pacer: {source} is gone"
        while pulse.pa_stream_readable_size(stream) not in (0, failed):
            pulse.pa_stream_peek(stream, ctypes.byref(data), ctypes.byref(size))
            pulse.pa_stream_drop(stream)
    return "pacer: the server is gone"


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
