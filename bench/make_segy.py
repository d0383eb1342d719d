#!/usr/bin/env python3
"""Writes a big-endian revision-1 SEG-Y file for the header-scan benchmark:
TRACES traces of NS 4-byte IBM samples (zero), in lines of 1000 traces:
field record number n = line, CDP m = trace in line, source x, y along the
line, coordinate scalar -10. Standard library only; deterministic.
Usage: make_segy.py OUT [TRACES] [NS]"""
import struct
import sys

out = sys.argv[1]
traces = int(sys.argv[2]) if len(sys.argv) > 2 else 1000000
ns = int(sys.argv[3]) if len(sys.argv) > 3 else 200

text = ("C 1 QUARVEL HEADER-SCAN BENCHMARK".ljust(80) * 40).encode("ascii")
binary = bytearray(400)
struct.pack_into(">hhh", binary, 16, 4000, 0, ns)      # interval, -, samples (3217-3222)
struct.pack_into(">h", binary, 24, 1)                   # format 1 (3225-3226)
struct.pack_into(">H", binary, 300, 0x0100)             # revision 1.0
trace = bytearray(240 + ns * 4)
per_line = 1000
with open(out, "wb") as f:
    f.write(text)
    f.write(binary)
    chunk = []
    for i in range(traces):
        line, k = divmod(i, per_line)
        struct.pack_into(">iii", trace, 0, i + 1, i + 1, line + 1)   # sequence numbers, n (9-12)
        struct.pack_into(">i", trace, 20, k + 1)                        # m (21-24)
        struct.pack_into(">hii", trace, 70, -10, 6200000 + 250 * k, 60740000 + 250 * line)
        struct.pack_into(">H", trace, 114, ns)
        chunk.append(bytes(trace))
        if len(chunk) == 4096:
            f.write(b"".join(chunk))
            chunk = []
    f.write(b"".join(chunk))
