#!/usr/bin/python3
"""Speed of velqor.read: one recording of 1500 samples, and 1000 recordings
in a loop. Run from the source folder after building:

    PYTHONPATH=build/python /usr/bin/python3 bench/bench_velqor.py [FILE.DAT]

Prints the median time of one read, the time of 1000 reads and of one
velqor.stats; fails (status 1) above 0.3 ms per read or 1 s per 1000.
"""

import statistics
import sys
import time
from pathlib import Path

import velqor

path = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[1] / "samples/full1500.DAT"
velqor.read(path)  # settings loaded, session made
singles = []
for _ in range(2000):
    t = time.perf_counter()
    rec = velqor.read(path)
    singles.append(time.perf_counter() - t)
one = statistics.median(singles)
t = time.perf_counter()
for _ in range(1000):
    velqor.read(path)
loop = time.perf_counter() - t
t = time.perf_counter()
velqor.stats(rec)
stats = time.perf_counter() - t
print(f"{path.name}: {rec.sample_count} samples")
print(f"read:         {one * 1e3:.3f} ms (median of 2000)")
print(f"1000 reads:   {loop:.3f} s")
print(f"stats:        {stats * 1e3:.3f} ms (17 curves)")
sys.exit(0 if one < 0.3e-3 and loop < 1.0 else 1)
