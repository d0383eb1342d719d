#!/usr/bin/python3
"""Writes a big-endian revision-1 SEG-Y 2D line with samples worth looking
at: TRACES traces of NS IBM-float samples every 2 ms, dipping and folded
reflectors (Ricker wavelets of 25 Hz) over weak noise. CDP (bytes 21-24)
and shot point (197-200) count along the line, CDP x and y (181-188, scalar
-10) follow a straight track, inline (189-192) is 1 and crossline
(193-196) the CDP. Needs numpy (/usr/bin/python3); deterministic.
Usage: make_segy_line.py OUT [TRACES] [NS]"""
import sys

import numpy as np

out = sys.argv[1]
traces = int(sys.argv[2]) if len(sys.argv) > 2 else 1500
ns = int(sys.argv[3]) if len(sys.argv) > 3 else 500
dt = 0.002
chunk = 4096


def ibm(a):
    """IEEE doubles as big-endian 32-bit IBM floats (truncated fraction)."""
    a = np.asarray(a, dtype=np.float64)
    sign = np.where(a < 0, np.uint32(0x80000000), np.uint32(0))
    m = np.abs(a)
    nz = m > 0
    e = np.zeros(a.shape, dtype=np.int64)
    e[nz] = np.floor(np.log2(m[nz]) / 4).astype(np.int64) + 1
    f = np.zeros(a.shape, dtype=np.int64)
    f[nz] = (m[nz] / np.power(16.0, e[nz]) * (1 << 24)).astype(np.int64)
    over = f >= (1 << 24)
    f[over] >>= 4
    e[over] += 1
    bits = sign | ((e + 64).astype(np.uint32) << 24) | f.astype(np.uint32)
    bits[~nz] = 0
    return bits.astype(">u4")


def samples(first, count, rng):
    x = np.arange(first, first + count, dtype=np.float64)[:, None]
    t = np.arange(ns, dtype=np.float64)[None, :] * dt
    out = 0.01 * rng.standard_normal((count, ns))
    span = max(traces, 1)
    for k, (t0, dip, fold, amp) in enumerate([(0.25, 0.05, 0.00, 1.0), (0.42, 0.12, 0.02, -0.8),
                                              (0.55, -0.06, 0.04, 0.9), (0.70, 0.20, 0.03, 0.7),
                                              (0.85, 0.02, 0.06, -1.0)]):
        tk = t0 * ns * dt + dip * x / span * ns * dt * 0.5 + fold * np.sin(2 * np.pi * x / span * (k + 1.5))
        a = (np.pi * 25 * (t - tk)) ** 2
        out += amp * (1 - 2 * a) * np.exp(-a)
    return 1000 * out


text = ("C 1 QUARVEL SYNTHETIC 2D LINE".ljust(80) + "".join(
    ("C%2d" % (k + 2)).ljust(80) for k in range(39))).encode("cp037")
binary = np.zeros(400, dtype=np.uint8)
binary[16:18] = np.frombuffer(np.array([int(dt * 1e6)], ">i2").tobytes(), np.uint8)  # interval, 3217-3218
binary[20:22] = np.frombuffer(np.array([ns], ">u2").tobytes(), np.uint8)               # samples, 3221-3222
binary[24:26] = np.frombuffer(np.array([1], ">i2").tobytes(), np.uint8)                # format 1
binary[300:302] = [1, 0]                                                              # revision 1.0
rng = np.random.default_rng(25)
with open(out, "wb") as f:
    f.write(text)
    f.write(binary.tobytes())
    for first in range(0, traces, chunk):
        n = min(chunk, traces - first)
        head = np.zeros((n, 240), dtype=np.uint8)
        words = head.view(">i4")
        cdp = np.arange(first + 1, first + n + 1)
        words[:, 0] = cdp                       # trace sequence number, 1-4
        words[:, 5] = cdp                       # CDP, 21-24
        words[:, 45] = 6200000 + 125 * cdp      # CDP x, 181-184
        words[:, 46] = 60740000 + 40 * cdp      # CDP y, 185-188
        words[:, 47] = 1                        # inline, 189-192
        words[:, 48] = cdp                      # crossline, 193-196
        words[:, 49] = (cdp + 1) // 2           # shot point, 197-200
        halves = head.view(">i2")
        halves[:, 35] = -10                     # coordinate scalar, 71-72
        halves[:, 57] = ns                      # 115-116
        halves[:, 58] = int(dt * 1e6)           # 117-118
        body = ibm(samples(first, n, rng)).view(np.uint8).reshape(n, ns * 4)
        f.write(np.hstack([head, body]).tobytes())
