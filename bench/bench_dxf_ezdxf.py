#!/usr/bin/python3
"""The drawing of bench_dxf_records.cpp built and saved by python3-ezdxf: the
same full job (9999 points, each a POINT, a mark of two LINEs and two TEXTs,
and 19998 LINEs) as an R12 drawing, timed for building and for saving.

    /usr/bin/python3 bench/bench_dxf_ezdxf.py [runs]
"""
import os
import statistics
import sys
import tempfile
import time

import ezdxf

CAPACITY = 9999
VERTICES = 2 * CAPACITY


def job():
    points = []
    for i in range(1, CAPACITY + 1):
        x = -35000 + (i % 100) * 10.0 + (i % 7) * 0.37
        y = 12000 + (i // 100) * 10.0 + (i % 11) * 0.41
        z = 30 + (i % 50) * 0.125
        points.append((x, y, z, "T." + str(i)))
    lines = []
    for k in range(1, VERTICES + 1):
        m = k - 1
        number = m + 1 if m < CAPACITY else ((m - CAPACITY) * 100) % CAPACITY + 1
        lines.append((number, k % 15 + 1))
    return points, lines


def build(points, lines, scale=2000.0, ox=-35010.0, oy=11990.0):
    doc = ezdxf.new("R12")
    msp = doc.modelspace()

    def paper(x, y, z):
        return ((y - oy) / scale * 1000, (x - ox) / scale * 1000, z / scale * 1000)

    mapped = []
    for x, y, z, name in points:
        px, py, pz = paper(x, y, z)
        mapped.append((px, py, pz))
        msp.add_point((px, py, pz), dxfattribs={"layer": "POINT"})
        msp.add_line((px - 0.5, py, pz), (px + 0.5, py, pz), dxfattribs={"layer": "MARK"})
        msp.add_line((px, py - 0.5, pz), (px, py + 0.5, pz), dxfattribs={"layer": "MARK"})
        msp.add_text(name, dxfattribs={"layer": "NAME", "insert": (px + 1, py + 0.2, pz),
                                       "height": 1.8, "width": 0.7})
        msp.add_text("%.2f" % z, dxfattribs={"layer": "HEIGHT", "insert": (px + 1, py - 1.8, pz),
                                              "height": 1.8, "width": 0.5})
    previous = (0.0, 0.0, 0.0)
    for number, layer in lines:
        to = mapped[number - 1]
        msp.add_line(previous, to, dxfattribs={"layer": str(layer)})
        previous = to
    return doc


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    points, lines = job()
    builds, saves = [], []
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "job.dxf")
        for _ in range(runs):
            start = time.perf_counter()
            doc = build(points, lines)
            built = time.perf_counter()
            doc.saveas(path)
            saved = time.perf_counter()
            builds.append(built - start)
            saves.append(saved - built)
    totals = [b + s for b, s in zip(builds, saves)]
    print("ezdxf %s: median %.3f s (building %.3f s, saving %.3f s) over %d runs"
          % (ezdxf.__version__, statistics.median(totals), statistics.median(builds),
             statistics.median(saves), runs))


if __name__ == "__main__":
    main()
