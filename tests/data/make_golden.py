#!/usr/bin/env python3
"""Builds the golden .graph and .csv files straight from the byte layouts, independently
of the C++ writers, which the tests then hold to these bytes. Run from this folder."""
import struct

# Stated inputs: a logger set of three readings (Celsius, order T1 T2 IR T3 T4), unit K,
# started 7 December 2026 14:05:09 local time, one reading every 2 s, Y gain 5, offset -2.
readings = [
    (20.0, 25.3, 2950.0, -12.5, 2900.0),
    (20.1, 25.4, 30.0, -12.4, 0.0),
    (20.2, 25.5, 31.5, -12.3, 100.0),
]
unit, start, rate, gain, offset = 2, (2026, 12, 7, 14, 5, 9), 2, 5, -2
times = ["12/07/26 14:05:09", "12/07/26 14:05:11", "12/07/26 14:05:13"]


def f32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


def graph_file(gain, offset):
    graph = bytes([7]) + b"KV4410M" + struct.pack("<i", len(readings))
    for reading in readings:
        graph += struct.pack("<5f", *reading)
    graph += bytes([unit]) + struct.pack("<6i", *start) + struct.pack("<3i", rate, gain, offset)
    assert len(graph) == 49 + 20 * len(readings)
    return graph


open("three-readings.graph", "wb").write(graph_file(gain, offset))
# The same set as saved while no file has been read: the Y scale 100 and 0.
open("three-readings-default-scale.graph", "wb").write(graph_file(100, 0))


def text(celsius):
    v = f32(celsius)
    if v > 2900.0:
        return "----"
    return "%.1f" % [v, v * 1.8 + 32, v + 273.16][unit]


lines = ["No\tT1\tT2\tIR\tT3\tT4\tUnit\tTime"]
for number, (reading, time) in enumerate(zip(readings, times), start=1):
    lines.append("\t".join([str(number)] + [text(v) for v in reading] + ["CFK"[unit], " " + time]))
open("three-readings.csv", "wb").write(b"\xff\xfe" + "".join(l + "\r\n" for l in lines).encode("utf-16-le"))
