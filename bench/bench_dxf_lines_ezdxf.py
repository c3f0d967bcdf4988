#!/usr/bin/python3
"""The drawing of bench_dxf_lines.cpp rebuilt and saved by python3-ezdxf: every
LINE, TEXT, POINT, ARC, CIRCLE and POLYLINE that the benchmark wrote (kept with
KRN_DXF_KEEP), read once, then added to a new R12 drawing and saved, timed.

    KRN_DXF_KEEP=/tmp/lines.dxf build/release/bench/bench_dxf_lines
    /usr/bin/python3 bench/bench_dxf_lines_ezdxf.py /tmp/lines.dxf [runs]
"""
import os
import statistics
import sys
import tempfile
import time

import ezdxf
from ezdxf import recover


def entities(path):
    doc, _ = recover.readfile(path)
    out = []
    for e in doc.modelspace():
        kind, a = e.dxftype(), {"layer": e.dxf.layer}
        if e.dxf.hasattr("linetype"):
            a["linetype"] = e.dxf.linetype
        if kind == "LINE":
            out.append((kind, (tuple(e.dxf.start), tuple(e.dxf.end)), a))
        elif kind == "POINT":
            out.append((kind, (tuple(e.dxf.location),), a))
        elif kind == "TEXT":
            a.update(insert=tuple(e.dxf.insert), height=e.dxf.height, rotation=e.dxf.rotation,
                     width=e.dxf.width)
            out.append((kind, (e.dxf.text,), a))
        elif kind == "CIRCLE":
            out.append((kind, (tuple(e.dxf.center), e.dxf.radius), a))
        elif kind == "ARC":
            out.append((kind, (tuple(e.dxf.center), e.dxf.radius, e.dxf.start_angle, e.dxf.end_angle), a))
        elif kind == "POLYLINE":
            out.append((kind, ([tuple(v.dxf.location) for v in e.vertices],), a))
    return out


def build(items):
    doc = ezdxf.new("R12")
    for name in {a["layer"] for _, _, a in items}:
        if name not in doc.layers:
            doc.layers.add(name)
    for name in {a["linetype"] for _, _, a in items if "linetype" in a}:
        if name not in doc.linetypes:
            doc.linetypes.add(name, pattern=[0.0])
    msp = doc.modelspace()
    add = {"LINE": msp.add_line, "POINT": msp.add_point, "TEXT": msp.add_text, "CIRCLE": msp.add_circle,
           "ARC": msp.add_arc, "POLYLINE": msp.add_polyline3d}
    for kind, args, a in items:
        add[kind](*args, dxfattribs=a)
    return doc


def main():
    path = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    items = entities(path)
    totals = []
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "lines.dxf")
        for _ in range(runs):
            start = time.perf_counter()
            build(items).saveas(out)
            totals.append(time.perf_counter() - start)
    print("ezdxf %s: %d entities, median %.3f s over %d runs"
          % (ezdxf.__version__, len(items), statistics.median(totals), runs))


if __name__ == "__main__":
    main()
