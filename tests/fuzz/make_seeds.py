#!/usr/bin/env python3
"""Writes the small seed inputs of every fuzz target to corpus/<target>/.

Seeds stay small (under 1.5 KB each) so that libFuzzer's input size, and so
its rate, stays that of small inputs; run_campaign.sh grows them further.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def read(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


DRAWINGS = {
    "all_kinds.qvd": read("roundtrip_all_kinds.qvd"),
    "blocks.qvd": read("polylines_in_blocks.qvd"),
    "mixed.qvd": read("polylines_mixed.qvd"),
    "curves.kcx": read("curves_two_groups.kcx"),
    "steps.step": read("roundtrip_steps.step"),
    "embellish.qvd": b"EMBELLISH\nArrow 1 1 0.5\nLine 0.2 255 0 0\nScale 2 1 1.5 90 0 10 0.25 1 C\n"
                     b"Locate 10 0.3 0.4 15 0 20 0.5 0 bs 0\nEnd\nPLINE.A\n0,0\n10,5\n20,0\nC\n\n",
    "inserts.qvd": b"new b0\nPLINE\n0,0\n1,1\n\nendnew\nnew b1\nInsert b0 0,0 1 1 0\nInsert b0 1,1 1 1 45\n"
                   b"endnew\nInsert b1 5,5 2 2 30\ntext 1,1 0.5 0 hi\nPOINT 2,2,3 p\n",
    "xyz.qvd": b"Layer M f(x,y)\\xyz\nXYZ\n0,0,1\n10,10,2\n0,10,3\n10,0,4\n\n",
    "huge.qvd": b"PLINE\n1e308,0\n1e308,1\n\nPLINE\n-1e308,0\n-1e308,1\n\nPOINT 1e308,1e308 p\n",
}

GRID = (b"Layer M f(x,y)\\xyz\nXYZ\n0,0,1\n10,10,2\n0,10,3\n10,0,4\n5,5,9\n\n"
        b"Layer M f(x,y)\\break\nPLINE\n2,0\n8,10\n\n"
        b"Layer M f(x,y)\\outline\nPLINE\n-1,-1\n11,-1\n11,11\n-1,11\nC\n\n")


def png(width, height, alpha):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    channels = 4 if alpha else 3
    rows = b"".join(b"\0" + bytes((x * 40 + y * 9) % 256 for x in range(width * channels)) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def bmp(width, height):
    row = (width * 3 + 3) & ~3
    pixels = b"".join(bytes((x * 50) % 256 for x in range(width * 3)).ljust(row, b"\0") for _ in range(height))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + info + pixels


IMAGES = {
    "rgb.png": png(4, 3, False),
    "rgba.png": png(3, 2, True),
    "rgb.bmp": bmp(3, 2),
    "gray.pgm": b"P5\n3 2\n255\n" + bytes(range(0, 60, 10)),
    "rgb.ppm": b"P3\n2 1\n255\n255 0 0 0 255 0\n",
    "mono.xbm": b"#define m_width 8\n#define m_height 2\nstatic char m_bits[] = {0x0f, 0xf0};\n",
    "two.xpm": b'/* XPM */\nstatic char *x[] = {"2 2 2 1", "a c #ff0000", "b c None", "ab", "ba"};\n',
}


def grid_file(nx, ny, storage, values):
    b = bytearray(b"\x55" * 99)
    struct.pack_into("<i", b, 3, nx)
    struct.pack_into("<i", b, 10, ny)
    for at, v in ((20, 1000.0), (34, 2000.0), (48, 25.0), (62, 50.0), (76, -10.0), (90, 30.0)):
        struct.pack_into("<d", b, at, v)
    b[98] = storage
    return bytes(b) + values


# A 4 x 4 net file as "quarvel grid --num-x 3 --times 1" writes it for the
# four points of the xyz seed.
NET_FILE = bytes.fromhex(
    "00000000000014c000000000000014c0000000000000244000000000000024400400000004000000100000004c0dc30f"
    "c3c600400400000001000000ffffffffffffffff7dab369f1c2afb3f0500000002000000ffffffff0000000080d103b5"
    "48cd00400600000003000000ffffffff01000000688f30cf0c48fb3f07000000ffffffffffffffff020000005b2b0c8e"
    "469d0540080000000500000000000000ffffffff012cae6fd6fef73f09000000060000000100000004000000b456a15d"
    "32a105400a0000000700000002000000050000006021b57bee23f83f0b000000ffffffff0300000006000000a67f1e5a"
    "456810400c0000000900000004000000ffffffff44afd9ee60990d400d0000000a0000000500000008000000fa045493"
    "85d9ec3f0e0000000b0000000600000009000000ee6694773c37e03f0f000000ffffffff070000000a000000b65376c5"
    "0cce1240ffffffff0d00000008000000ffffffff74f74e6faefe0b40ffffffff0e000000090000000c0000002e0a6781"
    "68fff73fffffffff0f0000000a0000000d000000945ef1772262d33fffffffffffffffff0b0000000e00000001000000"
    "040000000000000000000100000004000000000004000000010000000400000000000800000001000000040000000000"
    "0c000000")


BINARY = {
    "doubles.grd": grid_file(2, 2, 8, struct.pack("<4d", 1, 2, 3, 4)),
    "words.grd": grid_file(2, 2, 2, struct.pack("<4H", 0, 100, 65535, 7)),
    "bytes.grd": grid_file(3, 1, 1, bytes([0, 128, 255])),
    "four.net": NET_FILE,
}


def segy():
    text = b" " * 3200
    binary = bytearray(400)
    struct.pack_into(">hhh", binary, 16, 4000, 0, 8)   # interval, -, samples
    struct.pack_into(">h", binary, 24, 5)              # IEEE floats
    traces = b""
    for t in range(3):
        header = bytearray(240)
        struct.pack_into(">i", header, 0, t + 1)
        struct.pack_into(">iiii", header, 72, 1000 + t, 2000, 1000 + t, 2000)
        struct.pack_into(">h", header, 114, 8)
        traces += bytes(header) + struct.pack(">8f", *[float(i - t) for i in range(8)])
    return text + bytes(binary) + traces


def write(target, files):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name, body in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(body)


write("fuzz_reader", DRAWINGS)
write("fuzz_render", {name: b"\x05" + body for name, body in DRAWINGS.items() if not name.endswith((".kcx", ".step"))})
write("fuzz_grid", {"grid.qvd": b"\x03" + GRID, "two_levels.qvd": b"\x0c" + GRID, "points.qvd": b"\x01" + DRAWINGS["xyz.qvd"]})
write("fuzz_image", IMAGES)
write("fuzz_binary_files", BINARY)
write("fuzz_segy", {"three_traces.sgy": segy()})
