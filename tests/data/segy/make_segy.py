#!/usr/bin/env python3
"""Writes the small SEG-Y files the tests read (tests/data/segy/generated/):
both byte orders, a file whose binary header and trace headers are in
different byte orders, revision 2 headers, extended textual headers,
every sample format code a revision assigns, and the malformed kinds the
reader refuses or warns about. Standard library only; deterministic.

Every valid file holds `traces` traces; trace i (from 0) has
  n (bytes 9-12)   = 101 + i // 3          field record
  m (bytes 21-24)  = 875 + i               CDP
  scalar (71-72)   = -10
  x (73-76)        = 6201972 + 250 i,  y (77-80) = 60742329 + 7 i
  cdp x (181-184)  = 6202000 + 250 i,  cdp y (185-188) = 60742400 + 7 i
  inline (189-192) = 10 + i // 3,      crossline (193-196) = 20 + i % 3
  its own sample count and interval (115-118)
and sample j of trace i is (j - 2) * (i + 1) (j * (i + 1) for unsigned
codes).

Two surveys replace those fields (scalar -10 kept; 4 IBM samples a trace):
  survey_3d.sgy: inlines 20, 22, 24 (189-192) by crosslines 5, 8, 11, 14
    (193-196), inline by inline, the trace at 22/11 left out (11 traces);
    CDP x (181-184) = 6000005 + 60 (il - 20) - 40 (xl - 5),
    CDP y (185-188) = 67000000 + 80 (il - 20) + 30 (xl - 5);
    EBCDIC text and one EBCDIC extended textual header.
  survey_2d.sgy: a 2D line of CDPs 100-111 without 104 (21-24), shot point
    1 + (cdp - 100) // 2 (197-200); trace k at CDP x, y (181-188) =
    10 * (700000 + 25 k, 7100000) for k <= 5, then
    10 * (700125 + 15 (k - 5), 7100000 + 20 (k - 5)); ASCII text.
Usage: make_segy.py [OUT_DIR]"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "generated")

# code: (struct letter, bytes, unsigned)
FORMATS = {1: ("ibm", 4, False), 2: ("i", 4, False), 3: ("h", 2, False), 4: ("i", 4, False),
           5: ("f", 4, False), 6: ("d", 8, False), 7: ("i24", 3, False), 8: ("b", 1, False),
           9: ("q", 8, False), 10: ("I", 4, True), 11: ("H", 2, True), 12: ("Q", 8, True),
           15: ("u24", 3, True), 16: ("B", 1, True)}


def ibm(value):
    """A 32-bit IBM float, big-endian; exact for the small integers used."""
    if value == 0:
        return b"\0\0\0\0"
    sign = 0x80 if value < 0 else 0
    v, e = abs(float(value)), 64
    while v >= 1:
        v /= 16
        e += 1
    while v < 1 / 16:
        v *= 16
        e -= 1
    return struct.pack(">I", (sign | e) << 24 | int(v * (1 << 24)))


def sample(code, value, order):
    kind, size, _ = FORMATS[code]
    if kind == "ibm":
        raw = ibm(value)
        return raw if order == ">" else raw[::-1]
    if kind in ("i24", "u24"):
        raw = (value & 0xFFFFFF).to_bytes(3, "big")
        return raw if order == ">" else raw[::-1]
    return struct.pack(order + kind, value)


def ascii_text(title):
    lines = ["C%2d %s" % (k + 1, title if k == 0 else "QUARVEL TEST DATA LINE %d" % (k + 1)) for k in range(40)]
    return "".join(l.ljust(80)[:80] for l in lines).encode("ascii")


def ebcdic_text(title):
    return ascii_text(title).decode("ascii").encode("cp037")


def record(text, ebcdic=False):
    """One 3200-byte extended textual header record."""
    raw = text.ljust(3200)[:3200]
    return raw.encode("cp037") if ebcdic else raw.encode("ascii")


def put(buf, offset, fmt, value):
    struct.pack_into(fmt, buf, offset, value)


def make(name, code=1, order=">", trace_order=None, samples=10, traces=6, interval=4000, rev=1,
         ebcdic=True, extended=(), ext_count=None, rev2=None, extra_headers=0, first_trace=None,
         binary=None, trace_fields=None, cut=None, append=b"", sample_bytes=None):
    """Writes one file. rev2: dict with 'mark' (write the byte-order word),
    'ext_samples', 'trace_count'; binary: {offset: (fmt, value)} written last;
    trace_fields(i) -> {offset: (fmt, value)} overrides; sample_bytes: bytes per
    sample actually written (a file that disagrees with its code)."""
    trace_order = trace_order or order
    head = bytearray(ebcdic_text(name) if ebcdic else ascii_text(name))
    binh = bytearray(400)
    b = lambda off, fmt, v: put(binh, off - 3200, order + fmt, v)
    b(3216, "h", interval)
    b(3220, "H", samples if not (rev2 and rev2.get("ext_samples")) else 0)
    b(3224, "h", code)
    binh[3500 - 3200] = rev
    b(3504, "h", len(extended) if ext_count is None else ext_count)
    if rev2 is not None:
        if rev2.get("mark"):
            b(3296, "I", 0x01020304)
        if rev2.get("ext_samples"):
            b(3268, "I", samples)
        b(3506, "H", extra_headers)
        b(3512, "Q", rev2.get("trace_count", traces))
        b(3520, "Q", first_trace or 0)
    for off, (fmt, v) in (binary or {}).items():
        b(off, fmt, v)
    data = head + binh
    for r in extended:
        data += r
    if first_trace:
        data += bytes(first_trace - len(data))
    per = sample_bytes or FORMATS[code][1]
    for i in range(traces):
        th = bytearray(240)
        t = lambda off, fmt, v: put(th, off, trace_order + fmt, v)
        t(8, "i", 101 + i // 3)
        t(20, "i", 875 + i)
        t(70, "h", -10)
        t(72, "i", 6201972 + 250 * i)
        t(76, "i", 60742329 + 7 * i)
        t(114, "H", samples & 0xFFFF)
        t(116, "H", interval)
        t(180, "i", 6202000 + 250 * i)
        t(184, "i", 60742400 + 7 * i)
        t(188, "i", 10 + i // 3)
        t(192, "i", 20 + i % 3)
        for off, (fmt, v) in (trace_fields(i) if trace_fields else {}).items():
            t(off, fmt, v)
        data += th + bytes(240 * extra_headers)
        unsigned = FORMATS[code][2] if code in FORMATS else False
        for j in range(samples):
            v = j * (i + 1) if unsigned else (j - 2) * (i + 1)
            s = sample(code, v, trace_order) if code in FORMATS and per == FORMATS[code][1] else bytes(per)
            data += s
    data = bytes(data)
    if cut is not None:
        data = data[:cut]
    data += append
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def survey_3d(i):
    il, xl = [(il, xl) for il in (20, 22, 24) for xl in (5, 8, 11, 14) if (il, xl) != (22, 11)][i]
    return {180: ("i", 6000005 + 60 * (il - 20) - 40 * (xl - 5)),
            184: ("i", 67000000 + 80 * (il - 20) + 30 * (xl - 5)), 188: ("i", il), 192: ("i", xl)}


def survey_2d(k):
    cdp = [100, 101, 102, 103, 105, 106, 107, 108, 109, 110, 111][k]
    x, y = (700000 + 25 * k, 7100000) if k <= 5 else (700125 + 15 * (k - 5), 7100000 + 20 * (k - 5))
    return {20: ("i", cdp), 196: ("i", 1 + (cdp - 100) // 2), 180: ("i", 10 * x), 184: ("i", 10 * y)}


def main():
    os.makedirs(OUT, exist_ok=True)
    # Byte orders and orders that disagree.
    make("be_ibm.sgy", code=1)
    make("le_ieee.sgy", code=5, order="<", ebcdic=False)
    make("mixed_order.sgy", code=3, order="<", trace_order=">")
    # Revision 2: byte-order word, extended sample count, an extra trace
    # header, the first trace placed after a gap, the trace count.
    make("rev2_be.sgy", code=2, rev=2, samples=12, traces=4, extended=[record("C 1 EXTENDED ONE")],
         rev2={"mark": True, "ext_samples": True}, extra_headers=1, first_trace=7200)
    make("rev2_le_mark.sgy", code=6, order="<", rev=2, samples=5, traces=4, rev2={"mark": True}, ebcdic=False)
    # Extended textual headers: a count, and -1 up to the end stanza (EBCDIC).
    make("ext_text_count.sgy", code=3, extended=[record("C 1 FIRST"), record("C 1 SECOND")], ebcdic=False)
    make("ext_text_stanza.sgy", code=8, ext_count=-1,
         extended=[record("((SEG: Quarvel ver 1.0))", True), record("more", True),
                   record("((SEG: EndText))", True)])
    # Every assigned format code, both byte orders in turn.
    for k, code in enumerate(sorted(FORMATS)):
        make("format_%02d.sgy" % code, code=code, order="<" if k % 2 else ">", samples=4, traces=2)
    # Refused: the header cut short, counts and codes that make no sense.
    make("cut_in_text.sgy", cut=1000)
    make("cut_in_binary.sgy", cut=3210)
    make("cut_before_format.sgy", cut=3223)
    make("zero_samples.sgy", binary={3220: ("H", 0)})
    make("samples_65535.sgy", binary={3220: ("H", 65535)})
    make("format_0.sgy", binary={3224: ("h", 0)})
    make("format_99.sgy", binary={3224: ("h", 99)})
    make("format_negative.sgy", binary={3224: ("h", -32765)})
    make("ext_text_huge.sgy", ext_count=32767)
    make("ext_text_no_stanza.sgy", ext_count=-1)
    make("ext_text_negative.sgy", ext_count=-2)
    make("rev2_first_trace_huge.sgy", rev=2, rev2={}, binary={3520: ("Q", 2**63 - 1)})
    make("rev2_ext_samples_huge.sgy", rev=2, rev2={}, binary={3220: ("H", 0), 3268: ("I", 2**31 - 1)})
    make("rev2_extra_headers_huge.sgy", rev=2, rev2={}, binary={3506: ("H", 65535)})
    # Read with a warning: no traces, traces cut short, sizes that disagree.
    make("header_only.sgy", traces=0)
    make("cut_in_first_header.sgy", cut=3650)
    make("cut_after_first_xy.sgy", cut=3700)
    make("cut_in_last_samples.sgy", cut=3600 + 6 * 280 - 20)
    make("trailing_bytes.sgy", append=b"\x55" * 123)
    make("format_8_wrong_size.sgy", code=8, binary={3224: ("h", 8)}, sample_bytes=4, samples=10)
    make("rev2_trace_count_wrong.sgy", rev=2, rev2={"trace_count": 1000})
    # Values at the edges: n the positions loop's start value, extremes,
    # n returning to earlier values.
    make("extreme_values.sgy", traces=4, trace_fields=lambda i: {
        8: ("i", [-12345678, 2**31 - 1, -2**31, 2**31 - 1][i]), 20: ("i", -2**31),
        70: ("h", -32768), 72: ("i", -2**31), 76: ("i", 2**31 - 1)})
    make("alternating_n.sgy", trace_fields=lambda i: {8: ("i", 1 + i % 2)})
    # Surveys for the geometry and the textual headers.
    make("survey_3d.sgy", samples=4, traces=11, trace_fields=survey_3d,
         extended=[record("C 1 EXTENDED: INLINE BYTES 189-192, CROSSLINE 193-196, CDP X, Y 181-188", True)])
    make("survey_2d.sgy", samples=4, traces=11, trace_fields=survey_2d, ebcdic=False)


if __name__ == "__main__":
    main()
