#!/usr/bin/env python3
"""Writes tests/data/corpus/: truncated, garbled and hostile inputs that every
reader (text drawing, STEP, curve file, memory) must survive: one record of
every keyword (the test reads each of their prefixes), the bundled examples
and small seeds cut at spread points and garbled at random, and hand-made
hostile files. Deterministic: running it again gives the same files.
Usage: python3 tests/data/make_corpus.py"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(HERE, "corpus")

# One small record of every keyword, each followed by what completes it.
RECORDS = {
    "pline": b"PLINE.name\n0,0,1,0,3\n10,0\n10,10\ncode 7\nW 0.5\nBS\n\n",
    "curve": b"CURVE\n1,1\n2,2\nC\n\n",
    "3dpoly": b"3DPOLY\n0,0,5\n3,4,6\n\n",
    "point": b"POINT 1.5,2.5,3 label\n",
    "marktext": b"MARKTEXT 4,5 w\n",
    "insert": b"INSERT sym\\well 10,20 2 3 45\n",
    "text": b"TEXT 5,6 1 30 Hello world\n",
    "font": b"FONT 100,200\nTitle\n12 20 15 0 700 1 0 0 1 0 0 2 34 Face name\n",
    "bmpin": b"BMPIN no_such_picture.bmp 1\n0,0\n10,10\n",
    "logo": b"LOGO 1,2 30 40 5\n",
    "textp": b"TextProperties\nFont 0 100 0 0 0 1 0 0 0 0 Times\nMark 1 5 0 sym\nText 0.6 0.24 0 0.43 0.2\nColor -65535\n\n",
    "embellish": b"CurveEmbellish\nArrowHead\n0.5 -255\nProperties\n0.1 -255 N 0\nVir\n2 1\nScale sym\n1 0.2 0.2 0 -1 -2 0 1 S\nLocate\n1 0.2 0.2 0 -1 -2 0 1 B 0\nInName\n1 2 255 0 0.1 0 V\n\n2 1\nNoDraw\nend\n",
    "xyz": b"XYZ 1,2,3 4,5 6,7,8,0.5,2\n\n7,8 9,10\n\n",
    "grid3d": b"GRID3D no_such_grid.grd\n",
    "layer": b"LAYER M a\\b LAYER NotViewNotEdit LAYER M c LAYER ViewNotEdit LAYER E LAYER T\n",
    "colour": b"COLOR -255 RGB 1 2 3\n",
    "block": b"NEW blk\\x\nPLINE\n0,0\n1,1\n\nNEW inner POINT 1,1 a\nENDNEW\nENDNEW\n",
}

STEP = (b"REM heading\n'comment\n#0003 run.sh arg\n\nplain command\n''\n"
        b"POINT 1,1 after\n")
CURVES = (b"G1\n0,0\n1,1\n1 0 100 50\n2,2\n3,3\n2 0 200 60\nG2\n5,5\n6,6\n1 0 300 70\nEND\n")


def seeds():
    yield "records", b"".join(RECORDS.values())
    yield "step", STEP + b"".join(RECORDS.values())
    yield "curves", CURVES
    for name in ("map.qvd", "wells.step", "faults.kcx"):
        with open(os.path.join(ROOT, "examples", name), "rb") as f:
            yield name.replace(".", "_"), f.read()


def hostile():
    yield "deep_new_nesting", b"".join(b"NEW b%d\n" % i for i in range(10000)) + b"POINT 1,1 x\n"
    yield "deep_new_closed", b"NEW a " * 3000 + b"ENDNEW " * 3000 + b"POINT 1,1 x\n"
    yield "long_tokens", (b"A" * 10000 + b" PLINE" + b"B" * 10000 + b"\n0,0\n1,1\n\n" +
                          b"COLOR " + b"9" * 10000 + b" INSERT " + b"n" * 10000 + b" 1,2 3 4 5\n")
    yield "long_lines", (b"PLINE\n" + b"1" * 3000 + b",2\n5,5\n\n" + b"POINT " + b"7" * 6000 + b",1 " +
                         b"L" * 600 + b"\nTEXTP\nMark 1 1 0 " + b"m" * 5000 + b"\n\nFONT 1,1\n" +
                         b"t" * 4000 + b"\n1 2 3 4 5 6 7 8 9 10 11 12 13 " + b"f" * 3000 + b"\n")
    yield "ff_bytes", b"PLINE\n0,0\xff\n1,1\n\n\xffPOINT 1,2 a\xff\nNEW \xff b\nTEXT 1,1\xff 2 3 t\n"
    yield "nul_bytes", b"PLINE\n0,0\n\x00\n1,1\x00\n\n" + b"\x00" * 100 + b"POINT\x001,2 a\n" + b"TEXT 1,1 2 3 \x00t\n"
    yield "cr_only", b"PLINE\r0,0\r1,1\r\r" * 50
    yield "many_empty_blocks", b"NEW a ENDNEW " * 5000
    yield "many_layers", b"".join(b"LAYER M l%d " % i for i in range(5000))
    yield "deep_layer_path", b"LAYER M " + b"g\\" * 1200 + b"leaf POINT 1,1 p\n"
    yield "backslash_paths", b"LAYER M \\\\\\ LAYER M \\ NEW \\\\ ENDNEW NEW a\\ ENDNEW POINT 1,1 p\n"
    yield "huge_numbers", (b"PLINE\n1e999,-1e999\n1e308,1e308\n-1e308,-1e308\n\nRGB 2147483647 2147483647 2147483647\n"
                           b"COLOR 99999999999999999999\nPOINT nan,inf,-inf x\nTEXT 1e999,1 1e999 1e999 t\n"
                           b"XYZ 1e308,1e308,1e308,1e308,2147483647 0,0,nan\n\n")
    yield "step_trailing_comment", b"one\n'dangling comment\n"
    yield "step_no_terminator", b"#0001 a\n#0002 b\nREM x\n'c"
    yield "curve_garbage", b"a b\n,\n,x\n1,2\n\n \nG\n1 2 3 4\n1,1\nx y z w v\n" * 20
    yield "curves_headers_only", b"G\n" + b"1 0 5 5\n" * 500 + b"END\n"
    yield "empty", b""
    yield "only_separators", b" \t\n\r\x01\x02\x1f" * 200
    yield "high_bytes", bytes(range(0x80, 0x100)) * 8
    yield "all_bytes", bytes(range(256)) * 8
    yield "textp_edge", b"TEXTP\n\nTEXTP\n Mark\nTEXTP\nColor"
    yield "embellish_edge", b"EMBELLISH\nPROPERTIES\n" + b"EMBELLISH\nINNAME\n1 2 3 4 5 6 V\n" + b"SCALE"


def truncations(name, data, count=12):
    """The seed cut at evenly spread points."""
    n = len(data)
    cuts = sorted({max(1, n * k // count) for k in range(1, count)})
    for c in cuts:
        yield "%s_cut%05d" % (name, c), data[:c]


def garbles(name, data, rng, count=8):
    """Random bytes flipped, dropped or replaced by separators, 0xFF, NUL, CR."""
    specials = [0x00, 0x0A, 0x0D, 0x20, 0xFF, 0x2C, 0x2E, 0x5C]
    for k in range(count):
        b = bytearray(data)
        for _ in range(max(1, len(b) // 40)):
            i = rng.randrange(len(b))
            op = rng.randrange(4)
            if op == 0:
                b[i] = rng.randrange(256)
            elif op == 1:
                b[i] = rng.choice(specials)
            elif op == 2:
                del b[i]
            else:
                b.insert(i, rng.choice(specials))
        yield "%s_garbled%d" % (name, k), bytes(b)


def main():
    os.makedirs(OUT, exist_ok=True)
    for old in os.listdir(OUT):
        os.remove(os.path.join(OUT, old))
    rng = random.Random(20261207)
    files = {}
    # Every prefix of these small files is read by the corpus test itself.
    for key, record in RECORDS.items():
        files["record_%s" % key] = record
    for name, data in seeds():
        files.update(truncations(name, data))
        files.update(garbles(name, data, rng))
    files.update(hostile())
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print("%d files, %d bytes" % (len(files), sum(len(d) for d in files.values())))


if __name__ == "__main__":
    main()
