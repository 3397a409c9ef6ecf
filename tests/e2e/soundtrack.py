#!/usr/bin/env python3
"""Reads soundtrack archives and checks captured sound for the real-window test.

  soundtrack.py extract ARCHIVE FOLDER    writes every catalogued module into FOLDER and
                                          prints "FILE<TAB>TITLE" per track, in order
  soundtrack.py check RUN.RAW REF.RAW     checks the captured run against a reference run
                                          that played the second track from its start
"""
import struct
import sys

import numpy

MAGIC = b"DJGPP-PACK\x1a\x00"
NAME_MASK = 0xA6
RATE = 44100
# Dither moves each channel by a step or two; the sum of both by a few.
DITHER = 8
# Frames a pause, resume or track change may take to fade (the engine takes 5 ms).
FADE = RATE // 100


def read_pack(path):
    data = open(path, "rb").read()
    if data[:12] != MAGIC:
        sys.exit(f"{path}: not a pack archive")
    (count,) = struct.unpack_from("<i", data, 14)
    members = {}
    for i in range(count):
        field = data[18 + 21 * i : 18 + 21 * i + 13]
        name = bytes(b ^ NAME_MASK if b else 0 for b in field).split(b"\0")[0].decode()
        size, offset = struct.unpack_from("<ii", data, 18 + 21 * i + 13)
        members.setdefault(name, data[offset : offset + size])
    return members


def catalogue(members):
    cat = members["MUSIC.DAT"]
    (count,) = struct.unpack_from("<i", cat, 0)
    tracks = []
    for i in range(count):
        record = cat[4 + 49 * i : 4 + 49 * (i + 1)]
        name = record[:13].split(b"\0")[0].decode()
        title = record[13:].split(b"\0")[0].decode().rstrip()
        tracks.append((name, title))
    return tracks


def mono(path):
    """A 16-bit stereo capture as one channel: the sum of left and right."""
    frames = numpy.fromfile(path, dtype="<i2").reshape(-1, 2).astype(numpy.int64)
    return frames[:, 0] + frames[:, 1]


def best_lag(signal, template, lo, hi):
    """Where in signal[lo:hi] the template fits best, by cross-correlation."""
    segment = signal[lo:hi].astype(numpy.float64)
    t = template.astype(numpy.float64)
    if len(segment) < len(t):
        return None
    size = 1 << int(len(segment) + len(t)).bit_length()
    corr = numpy.fft.irfft(numpy.fft.rfft(segment, size) * numpy.conj(numpy.fft.rfft(t, size)),
                           size)[: len(segment) - len(t) + 1]
    return lo + int(numpy.argmax(corr))


def differs(a, b):
    """Samples of a and b further apart than dither moves them (both channels summed)."""
    n = min(len(a), len(b))
    return int(numpy.count_nonzero(numpy.abs(a[:n] - b[:n]) > DITHER))


def silences(signal):
    """(length, start, end) of every run of silent samples."""
    quiet = numpy.abs(signal) <= DITHER
    edges = numpy.flatnonzero(numpy.diff(numpy.concatenate(([0], quiet.view(numpy.int8), [0]))))
    return [(e - s, s, e) for s, e in zip(edges[::2], edges[1::2])]


def check(run_path, ref_path):
    run = mono(run_path)
    ref = mono(ref_path)
    sound = numpy.flatnonzero(numpy.abs(run) > DITHER)
    if len(sound) == 0:
        sys.exit("the capture is silent")
    first = int(sound[0])
    ref = ref[int(numpy.flatnonzero(numpy.abs(ref) > DITHER)[0]) :]
    gaps = [g for g in silences(run) if g[1] > first]
    if not gaps:
        sys.exit("no silence while paused")
    length, pause_start, pause_end = max(gaps)
    if length < RATE // 2:
        sys.exit(f"the longest silence is only {1000 * length // RATE} ms")
    print(f"paused for {1000 * length // RATE} ms")

    # The second track, from its start, after the first has played a while.
    n = RATE // 2
    if differs(run[first : first + n], ref[:n]) < n // 2:
        sys.exit("the capture starts with the second track, not the first")
    at = best_lag(run, ref[FADE:n], first + RATE // 2, pause_start) 
    if at is None:
        sys.exit("the second track was not started before the pause")
    at -= FADE
    if differs(run[at + FADE : at + n], ref[FADE:n]):
        sys.exit("the second track's sound does not follow the first's")
    print(f"the second track starts {1000 * (at - first) // RATE} ms after the first sound")
    if differs(run[at + FADE : pause_start - FADE], ref[FADE : pause_start - FADE - at]):
        sys.exit("the second track does not play on until the pause")

    # After the pause it goes on where it stopped, within the few milliseconds of the fades.
    played = pause_start - at
    resumed_n = min(n, len(run) - pause_end - FADE)
    template = run[pause_end + FADE : pause_end + FADE + resumed_n]
    where = best_lag(ref, template, max(0, played - 4 * FADE), played + 4 * FADE + resumed_n)
    if where is None or differs(template, ref[where : where + resumed_n]):
        sys.exit("resuming did not continue the second track")
    where -= FADE
    print(f"resumed {1000 * where // RATE} ms into the second track, "
          f"paused after {1000 * played // RATE} ms")
    if abs(where - played) > 2 * FADE:
        sys.exit("resuming did not continue where the pause stopped")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "extract":
        members = read_pack(sys.argv[2])
        for name, title in catalogue(members):
            with open(f"{sys.argv[3]}/{name}", "wb") as out:
                out.write(members[name.upper()])
            print(f"{name}\t{title}")
    elif len(sys.argv) == 4 and sys.argv[1] == "check":
        check(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
