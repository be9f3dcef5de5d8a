#!/usr/bin/env python3
"""Makes the five short sounds the switch tests play, next to this script.

Each sound is synthesised from sines, so the files are our own and the same at
every run: 16-bit PCM, mono, 44100 Hz. Every sound fades in and out over a few
milliseconds, so that it starts and stops without a click, and is scaled to a
moderate peak well below full scale.

    pop.wav     a soft pop as a stimulus appears
    Start.wav   a short tick confirming a press
    Laser.wav   a falling "pew" for the release cue
    buzzer.wav  a harsh buzz for an error
    Chord.wav   a gentle major chord for a question
"""

import math
import struct
import wave
from pathlib import Path

RATE = 44100


def times(seconds):
    return [i / RATE for i in range(round(seconds * RATE))]


def sweep(seconds, start_hz, end_hz, partials=((1, 1.0),)):
    """A tone whose pitch glides exponentially from start_hz to end_hz."""
    samples = []
    phase = 0.0
    ratio = end_hz / start_hz
    for t in times(seconds):
        samples.append(sum(level * math.sin(n * phase) for n, level in partials))
        phase += 2 * math.pi * start_hz * ratio ** (t / seconds) / RATE
    return samples


def tone(seconds, hz, partials=((1, 1.0),)):
    return sweep(seconds, hz, hz, partials)


def decaying(samples, time_constant):
    return [s * math.exp(-i / RATE / time_constant) for i, s in enumerate(samples)]


def faded(samples, fade_in, fade_out):
    """Raised-cosine ramps at both ends."""
    n_in = max(1, round(fade_in * RATE))
    n_out = max(1, round(fade_out * RATE))
    out = list(samples)
    for i in range(min(n_in, len(out))):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(min(n_out, len(out))):
        out[-1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    return out


def mixed(*layers):
    return [sum(values) for values in zip(*layers)]


def write(name, samples, peak):
    """Scales the sound so that its loudest sample is `peak` of full scale."""
    scale = peak * 32767 / max(abs(s) for s in samples)
    frames = b"".join(struct.pack("<h", round(s * scale)) for s in samples)
    with wave.open(str(Path(__file__).with_name(name)), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def pop():
    # A low thump that drops in pitch and dies away quickly.
    body = decaying(sweep(0.060, 520, 180), 0.015)
    return faded(body, 0.002, 0.010)


def start():
    # Two bright partials that die within a few milliseconds.
    tick = decaying(tone(0.050, 1900, ((1, 1.0), (2.7, 0.4))), 0.006)
    return faded(tick, 0.001, 0.010)


def laser():
    # A fast downward glide with a few odd harmonics for an edge.
    pew = sweep(0.250, 1800, 260, ((1, 1.0), (3, 0.30), (5, 0.12)))
    return faded(decaying(pew, 0.120), 0.003, 0.030)


def buzzer():
    # Two slightly detuned low sawtooths, built from their harmonics so that
    # nothing folds back above half the sample rate; they beat against each other.
    def saw(hz):
        count = int(8000 / hz)
        return tone(0.400, hz, tuple((n, 1.0 / n) for n in range(1, count + 1)))

    return faded(mixed(saw(110), saw(116.5)), 0.005, 0.030)


def chord():
    # C major (C5, E5, G5) over the octave below, softly struck and fading.
    notes = (261.63, 523.25, 659.26, 783.99)
    layers = [tone(0.600, hz, ((1, 1.0), (2, 0.15))) for hz in notes]
    return faded(decaying(mixed(*layers), 0.350), 0.015, 0.080)


def main():
    write("pop.wav", pop(), 0.50)
    write("Start.wav", start(), 0.45)
    write("Laser.wav", laser(), 0.45)
    write("buzzer.wav", buzzer(), 0.40)
    write("Chord.wav", chord(), 0.45)


if __name__ == "__main__":
    main()
