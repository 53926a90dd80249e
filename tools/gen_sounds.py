#!/usr/bin/env python3
"""Writes the sounds of the default data set and the general sound list.

Every sound is synthesised here (tones, noise bursts, a seamless engine loop);
nothing comes from outside. Sounds are 16-bit mono PCM WAV files at 22050 Hz
under <data>/zvu/; the list is <data>/base/zvu_list0.txt, the general sound
list that konfig.txt names (group 0, eight entries):

  0  default buffer: the list's silent default samples (no file)
  1  click
  2  click, lower
  3  engine, a seamless loop
  4  screenshot shutter, which looped is the heavy engine
  5  first sound of the chain played on entering the game (a rising whine)
  6  last sound of that chain (a two-note chime)
  7  double click

usage: tools/gen_sounds.py [data-dir]
"""
import math
import os
import random
import struct

import genargs

RATE = 22050


def wav_bytes(samples):
    """samples: floats in -1..1 -> a 16-bit mono PCM WAV file."""
    pcm = b''.join(struct.pack('<h', max(-32767, min(32767, int(round(s * 32767))))) for s in samples)
    fmt = struct.pack('<HHIIHH', 1, 1, RATE, RATE * 2, 2, 16)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(pcm)) + pcm
    return b'RIFF' + struct.pack('<I', len(body)) + body


def noise(n, seed):
    rnd = random.Random(seed)
    return [rnd.uniform(-1.0, 1.0) for _ in range(n)]


def lowpass(xs, k):
    out, y = [], 0.0
    for x in xs:
        y += k * (x - y)
        out.append(y)
    return out


def normalise(xs, peak):
    m = max(abs(x) for x in xs) or 1.0
    return [x * peak / m for x in xs]


def click(freq, ms, seed):
    n = int(RATE * ms / 1000)
    burst = lowpass(noise(n, seed), 0.5)
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t * 180.0)
        out.append(env * (0.6 * math.sin(2 * math.pi * freq * t) + 0.5 * burst[i]))
    return normalise(out, 0.8)


def double_click():
    a = click(2300, 35, 7)
    gap = [0.0] * int(RATE * 0.045)
    return a + gap + click(2600, 35, 8)


def seamless_engine(seconds, base, harmonics, chug, seed):
    """A loop whose every partial has a whole number of periods in its length,
    so that its end joins its start without a click."""
    n = int(RATE * seconds)
    rnd = random.Random(seed)
    parts = []
    for h, amp in harmonics:
        cycles = round(base * h * seconds)
        parts.append((cycles, amp, rnd.uniform(0, 2 * math.pi)))
    # rumble: many whole-cycle partials with random phases
    for c in range(int(20 * seconds), int(400 * seconds), 3):
        parts.append((c, 0.03 * rnd.random(), rnd.uniform(0, 2 * math.pi)))
    chug_cycles = round(chug * seconds)
    out = []
    for i in range(n):
        x = i / n
        s = sum(a * math.sin(2 * math.pi * c * x + p) for c, a, p in parts)
        am = 0.75 + 0.25 * math.sin(2 * math.pi * chug_cycles * x)
        out.append(s * am)
    return normalise(out, 0.7)


def heavy_engine():
    """A half-second loop: a hard clunk (the shutter) and a low rumble that
    joins its start, so that played once it snaps and looped it labours."""
    loop = seamless_engine(0.5, 36.0, [(1, 1.0), (2, 0.6), (3, 0.35), (5, 0.15)], 4.0, 4)
    n = len(loop)
    snap = lowpass(noise(n, 44), 0.35)
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t * 60.0)
        # the clunk fades out well before the loop's end
        out.append(0.55 * loop[i] + 0.9 * env * snap[i])
    return normalise(out, 0.85)


def whine():
    n = int(RATE * 0.7)
    out, phase = [], 0.0
    for i in range(n):
        t = i / RATE
        f = 180.0 + 900.0 * (t / 0.7) ** 1.5
        phase += 2 * math.pi * f / RATE
        env = min(1.0, t / 0.05) * min(1.0, (0.7 - t) / 0.12)
        out.append(env * (math.sin(phase) + 0.3 * math.sin(2 * phase)))
    return normalise(out, 0.7)


def chime():
    out = []
    for start, freq in ((0.0, 880.0), (0.16, 1318.5)):
        n0 = int(RATE * start)
        n = int(RATE * 0.6)
        while len(out) < n0 + n:
            out.append(0.0)
        for i in range(n):
            t = i / RATE
            env = min(1.0, t / 0.004) * math.exp(-t * 6.0)
            out[n0 + i] += env * (math.sin(2 * math.pi * freq * t) + 0.25 * math.sin(4 * math.pi * freq * t))
    return normalise(out, 0.7)


# (index, file name or None for the default samples, label, samples)
SOUNDS = [
    (0, None, 'default buffer', None),
    (1, 'click1.wav', 'click', lambda: click(1800, 40, 1)),
    (2, 'click2.wav', 'click, lower', lambda: click(1100, 45, 2)),
    (3, 'engine.wav', 'engine loop', lambda: seamless_engine(1.0, 55.0, [(1, 1.0), (2, 0.5), (3, 0.3), (4, 0.12)], 8.0, 3)),
    (4, 'heavy.wav', 'screenshot and heavy engine', heavy_engine),
    (5, 'start_whine.wav', 'entering the game, first', whine),
    (6, 'start_chime.wav', 'entering the game, last', chime),
    (7, 'dblclick.wav', 'double click', double_click),
]


def main():
    data, = genargs.paths(__doc__, [os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')])
    os.makedirs(os.path.join(data, 'zvu'), exist_ok=True)
    lines = ['// general sound list: group and entry count, default file, then per entry:',
             '0 %d' % len(SOUNDS), 'none']
    for index, name, label, make in SOUNDS:
        lines.append('// %d %s' % (index, label))
        if name is None:
            lines += ['%d 1' % index, 'none']
        else:
            with open(os.path.join(data, 'zvu', name), 'wb') as f:
                f.write(wav_bytes(make()))
            lines += ['%d 0' % index, 'zvu/' + name]
        lines += ['-', '-']
    with open(os.path.join(data, 'base', 'zvu_list0.txt'), 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('ascii'))


if __name__ == '__main__':
    main()
