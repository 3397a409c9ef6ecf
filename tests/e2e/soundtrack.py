#!/usr/bin/env python3
"""Reads soundtrack archives and checks captured sound for the real-window test.

  soundtrack.py extract ARCHIVE FOLDER    writes every catalogued module into FOLDER and
                                          prints "FILE<TAB>TITLE" per track, in order
  soundtrack.py check RUN.RAW REF.RAW     checks the captured run against a reference run
                                          that played the second track from its start
"""
import array
import math
import struct
import sys

MAGIC = b"DJGPP-PACK\x1a\x00"
NAME_MASK = 0xA6
RATE = 44100
WINDOW = RATE // 50  # 20 ms of frames per loudness figure


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


def loudness(path):
    """RMS of each 20 ms window of a 16-bit stereo capture, both channels together."""
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    step = WINDOW * 2
    return [
        math.sqrt(sum(s * s for s in samples[i : i + step]) / step)
        for i in range(0, len(samples) - step + 1, step)
    ]


def correlation(a, b):
    n = min(len(a), len(b))
    a, b = a[:n], b[:n]
    ma, mb = sum(a) / n, sum(b) / n
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = math.sqrt(sum((x - ma) ** 2 for x in a))
    vb = math.sqrt(sum((y - mb) ** 2 for y in b))
    return cov / (va * vb) if va > 0 and vb > 0 else 0.0


def best_match(run, ref, start, stop, length):
    """The window of `run` between start and stop whose next `length` figures follow `ref`."""
    best = (-1.0, None)
    for at in range(start, max(start, stop - length) + 1):
        c = correlation(run[at : at + length], ref[:length])
        best = max(best, (c, at))
    return best


def check(run_path, ref_path):
    run = loudness(run_path)
    ref = loudness(ref_path)
    quiet = 30.0  # RMS of a silent (or dithered-silent) window
    loud = [i for i, v in enumerate(run) if v > quiet]
    if not loud:
        sys.exit("the capture is silent")
    first = loud[0]
    # The pause: the longest run of silent windows after the first sound.
    gaps, start = [], None
    for i in range(first, len(run)):
        if run[i] <= quiet and start is None:
            start = i
        elif run[i] > quiet and start is not None:
            gaps.append((i - start, start, i))
            start = None
    if not gaps:
        sys.exit("no silence while paused")
    length, pause_start, pause_end = max(gaps)
    if length < 25:  # half a second
        sys.exit(f"the longest silence is only {length * 20} ms")
    ref_loud = next(i for i, v in enumerate(ref) if v > quiet)
    ref = ref[ref_loud:]
    # The second track starts after the first has played a while and before the pause.
    span = 40  # 0.8 s of loudness figures
    score, at = best_match(run, ref, first + 25, pause_start, span)
    print(f"second track found {(at - first) * 20} ms after the first sound, correlation {score:.2f}")
    if score < 0.8:
        sys.exit("the second track's sound does not follow the first's")
    before = correlation(run[first : first + span], ref[:span])
    print(f"the first sound against the second track: correlation {before:.2f}")
    if before > 0.8:
        sys.exit("the capture starts with the second track, not the first")
    # After the pause the track continues where it stopped: within a few windows, since the
    # pause and the resume fall inside windows and fade over a few milliseconds.
    played = pause_start - at
    slack = 3
    resumed, where = max(
        (correlation(run[pause_end : pause_end + span], ref[p : p + span]), p)
        for p in range(max(0, played - slack), played + slack + 1)
    )
    print(f"resumed {where * 20} ms into the second track (paused after {played * 20} ms), "
          f"correlation {resumed:.2f}")
    if resumed < 0.8:
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
