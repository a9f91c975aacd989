# SPDX-License-Identifier: GPL-3.0-or-later
"""What a relay did to the sound, from a recording of what it captured and one of what it
played: the delay, whether every played sample is the captured one, and the glitches, the
stretches where the played sound is not the captured sound."""
import numpy as np

RATE = 44100
WINDOW = RATE // 100      # frames: 10 ms
SEARCH = RATE // 2        # frames of played sound that find their place in the captured sound
ALIKE = 0.98              # correlation above which a resampled window is the same sound
NEIGHBOURHOOD = 3 * RATE  # frames around the last offset where a glitch may have moved it


def frames(recording):
    """The recording as an array of frames of two 16-bit samples."""
    return np.frombuffer(recording.data, dtype="<i2").reshape(-1, 2)


def locate(played, captured, at, length=SEARCH, near=None):
    """The index in `captured` of the frame that `played[at]` repeats, found by the peak of
    their phase correlation (within NEIGHBOURHOOD of `near` when given), or None when the
    played stretch is silent."""
    segment = played[at:at + length, 0].astype(np.float64)
    if len(segment) < length or not segment.any():
        return None
    low, high = 0, len(captured)
    if near is not None:
        low, high = max(near - NEIGHBOURHOOD, 0), min(near + NEIGHBOURHOOD + length, high)
    reference = captured[low:high, 0].astype(np.float64)
    if len(reference) < length:
        return None
    size = 1 << int(len(reference) + length).bit_length()
    spectrum = np.fft.rfft(reference, size) * np.conj(np.fft.rfft(segment, size))
    # Every frequency weighs the same (phase correlation): the noise places the stretch, not
    # the tone, which matches every 10 ms and whose phase a glitch moves.
    product = np.fft.irfft(spectrum / (np.abs(spectrum) + 1e-9), size)
    return low + int(np.argmax(product[:len(reference) - length + 1]))


def _exact(a, b):
    return a.shape == b.shape and np.array_equal(a, b)


def _alike(a, b):
    if a.shape != b.shape:
        return False
    x, y = a.astype(np.float64).ravel(), b.astype(np.float64).ravel()
    energy = np.dot(x, x) * np.dot(y, y)
    if energy == 0:
        return not x.any() and not y.any()
    return np.dot(x, y) / np.sqrt(energy) >= ALIKE


class Comparison:
    """Compares the played sound from frame `start` to frame `end` of `played` with the
    captured sound, window by window, following the offset between the two across a glitch."""

    def __init__(self, played_recording, captured_recording, start, end):
        self.played_recording = played_recording
        self.captured_recording = captured_recording
        played, captured = frames(played_recording), frames(captured_recording)
        self.windows = self.exact_windows = self.glitches = 0
        self.delay = None
        found = locate(played, captured, start)
        if found is None:
            return
        offset = start - found
        self.delay = (played_recording.time_of(start) -
                      captured_recording.time_of(start - offset))
        in_glitch = False
        for at in range(start, end - WINDOW, WINDOW):
            mine = played[at:at + WINDOW]
            theirs = captured[max(at - offset, 0):max(at - offset, 0) + WINDOW]
            self.windows += 1
            if _exact(mine, theirs):
                self.exact_windows += 1
                in_glitch = False
                continue
            if _alike(mine, theirs):
                in_glitch = False
                continue
            # A resampling relay's clock drifts against the captured one by a sample now and
            # then: the same sound a little further on is no glitch.
            near = locate(played, captured, at, WINDOW * 10, at - offset)
            if near is not None and _alike(mine, captured[near:near + WINDOW]):
                offset = at - near
                in_glitch = False
                continue
            if not in_glitch:
                self.glitches += 1
                in_glitch = True
            # A drop or a repeat moves the played sound against the captured one.
            again = locate(played, captured, at + WINDOW, WINDOW * 10, at - offset)
            if again is not None:
                offset = at + WINDOW - again

    @property
    def exact(self):
        return self.windows > 0 and self.exact_windows == self.windows
