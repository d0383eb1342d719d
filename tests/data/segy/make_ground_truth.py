#!/usr/bin/env python3
"""Flattens the ground truth of the shared SEG-Y files (ground_truth.json
beside them) into ground_truth.tsv, one line a file, for the table-driven
reader test. Usage: make_ground_truth.py [SEGY_DATA_DIR]"""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "..", "..", "shared", "data", "segy")
entries = json.load(open(os.path.join(data, "ground_truth.json"), encoding="utf-8"))
FIELDS = ["CDP(21-24)", "FieldRecord(9-12)", "SourceX(73-76)", "SourceY(77-80)"]
with open(os.path.join(HERE, "ground_truth.tsv"), "w", encoding="utf-8") as out:
    out.write("file\tbyte_order\tformat\tsamples\tinterval\tfirst_trace\ttraces\tleftover"
              "\tfirst_m\tfirst_n\tfirst_x\tfirst_y\tlast_m\tlast_n\tlast_x\tlast_y\n")
    for e in entries:
        t = e["true"]
        row = [e["file"], t["endian"], t["format"], t["ns_effective"], t["dt"], t["first_trace_offset"],
               t["ntraces"], t["remainder_bytes"]]
        for end in ("first", "last"):
            row += [t[end][f] if t.get(end) else 0 for f in FIELDS]
        out.write("\t".join(str(v) for v in row) + "\n")
