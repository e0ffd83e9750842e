#!/usr/bin/env python3
"""check_dxf.py --run GOMIAT INPUT: runs "GOMIAT croquis INPUT" in a
temporary folder (its own component folder and settings) and checks the
drawings with outside readers, and that bad input writes nothing.

The DXF must open with ezdxf and pass its audit without errors. Layers,
colours, line types, points, names and polylines are compared with what
the codes of INPUT give under the code table, worked out here on their
own: points with the same code joined in point order, "I"/"F" after a code
starting a new line, "A"/"C" closing it. Exit status 77 when ezdxf is
missing.
"""

import collections
import json
import os
import pathlib
import re
import subprocess
import sys
import tempfile

try:
    import ezdxf
except ImportError:
    print("ezdxf is not installed (Debian: python3-ezdxf)", file=sys.stderr)
    sys.exit(77)

LINE_TYPES = ["CONTINUOUS", "DASHED", "DOT", "DASHDOT", "DIVIDE"]
COMMANDS = {"I": "start", "F": "start", "A": "close", "C": "close"}


def check(condition, message):
    if not condition:
        print("FAIL: " + message, file=sys.stderr)
        sys.exit(1)


def read_points(path):
    """(name, x, y, z, code) of each point; a first line of words is a header."""
    points = []
    lines = pathlib.Path(path).read_text(encoding="utf-8-sig").splitlines()
    for number, line in enumerate(lines, 1):
        if not line.strip():
            continue
        fields = line.split(",", 4)
        try:
            x, y, z = (float(v) for v in fields[1:4])
        except ValueError:
            check(number == 1 and not points, f"line {number} unreadable")
            continue
        points.append((fields[0], x, y, z, (fields + [""])[4].strip()))
    return points


def read_code_table(path):
    """code -> (joining, layer, colour, line type); the first entry wins."""
    table = {}
    for line in pathlib.Path(path).read_text(encoding="cp1252").splitlines():
        fields = line.split(",")
        check(len(fields) == 6, f"code table line {line!r}")
        code, _, joining, layer, colour, line_type = fields
        table.setdefault(code, (joining, layer, int(colour),
                                int(float(line_type))))
    return table


def words(field):
    return [w for w in re.split(r"[ ,]+", field) if w]


def expected_sketch(points, table):
    """Layers (name -> set of allowed (colour, line type)), the layer of each
    point, and the polylines as (layer, [point indices])."""
    fields = [p[4] if p[4] else "Puntos" for p in points]
    codes = sorted({w for f in fields for w in words(f) if w not in COMMANDS})
    layer_styles = collections.defaultdict(set)
    for c in codes:
        check(c in table, f"code {c} missing from the saved code table")
        _, layer, colour, line_type = table[c]
        layer_styles[layer].add((7 if colour == 0 else colour, line_type))
    layer_styles.setdefault("Puntos", {(7, 0)})
    layer_styles.setdefault("0", {(7, 0)})

    firsts = [(words(f) + [""])[0] for f in fields]
    point_layers = [table[c][1] if c in codes else "0" for c in firsts]

    polylines = []
    for c in codes:
        joining, layer = table[c][:2]
        if joining not in ("Lineal", "Area"):
            continue
        line = []  # the points of the line being drawn, drawn from two on
        for i, f in enumerate(fields):
            w = words(f)
            if c not in w:
                continue
            role = COMMANDS.get((w + [""])[w.index(c) + 1], "follow")
            if role == "start":
                line = [i]
            elif role == "follow":
                line.append(i)
                if len(line) == 2:
                    polylines.append((layer, line))
            elif len(line) > 2:
                line += [i, line[0]]
                line = []
    return layer_styles, point_layers, polylines


def key(x, y, z):
    return (round(x, 6), round(y, 6), round(z, 6))


def check_dxf(points, styles, point_layers, polylines, path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    check(not auditor.has_errors,
          f"ezdxf audit: {[str(e.message) for e in auditor.errors]}")
    layers = {l.dxf.name: l for l in doc.layers}
    for name, allowed in styles.items():
        check(name in layers, f"layer {name} missing")
        got = (layers[name].dxf.color, LINE_TYPES.index(layers[name].dxf.linetype))
        check(got in allowed, f"layer {name}: colour and line type {got}, "
              f"expected one of {sorted(allowed)}")
    for name in LINE_TYPES:
        check(name in doc.linetypes, f"line type {name} missing")

    msp = doc.modelspace()
    got_points = collections.Counter(
        (key(*e.dxf.location), e.dxf.layer) for e in msp.query("POINT"))
    want_points = collections.Counter(
        (key(p[1], p[2], p[3]), point_layers[i]) for i, p in enumerate(points))
    check(got_points == want_points,
          f"points differ: {list((want_points - got_points).items())[:3]}")
    got_names = collections.Counter(e.dxf.text for e in msp.query("TEXT"))
    check(got_names == collections.Counter(p[0] for p in points if p[0]),
          "point names differ")

    got_lines = collections.Counter()
    for e in msp.query("POLYLINE"):
        check(e.is_3d_polyline, "a polyline is not 3D")
        got_lines[(e.dxf.layer,
                   tuple(key(*v.dxf.location) for v in e.vertices))] += 1
    want_lines = collections.Counter(
        (layer, tuple(key(*points[i][1:4]) for i in idx))
        for layer, idx in polylines)
    check(got_lines == want_lines,
          f"polylines differ: {len(want_lines - got_lines)} missing, "
          f"{len(got_lines - want_lines)} extra")
    return layers


def check_geojson(points, polylines, dxf_layers, path):
    doc = json.loads(pathlib.Path(path).read_text(encoding="utf-8"))
    check(doc.get("type") == "FeatureCollection", "not a FeatureCollection")
    features = doc["features"]
    pts = [f for f in features if f["geometry"]["type"] == "Point"]
    lines = [f for f in features if f["geometry"]["type"] == "LineString"]
    check(len(pts) + len(lines) == len(features), "unexpected geometry")
    got = [(f["properties"]["name"], f["properties"]["code"],
            key(*f["geometry"]["coordinates"])) for f in pts]
    check(got == [(p[0], p[4], key(*p[1:4])) for p in points],
          "GeoJSON points differ")
    check(len(lines) == len(polylines), "GeoJSON polyline count")
    for f in lines:
        props = f["properties"]
        layer = dxf_layers[props["layer"]]
        check(props["colour"] == layer.dxf.color and
              props["line_type"] == layer.dxf.linetype,
              f"GeoJSON polyline on {props['layer']}: style differs from DXF")
        coords = f["geometry"]["coordinates"]
        check(props["closed"] == (len(coords) > 2 and coords[0] == coords[-1]),
              "GeoJSON closed flag")


def check_outputs(input_path, dxf, geojson, table_path):
    points = read_points(input_path)
    styles, point_layers, polylines = expected_sketch(
        points, read_code_table(table_path))
    layers = check_dxf(points, styles, point_layers, polylines, dxf)
    check_geojson(points, polylines, layers, geojson)
    closed = sum(1 for _, idx in polylines if idx[0] == idx[-1])
    print(f"ok: {len(points)} points, {len(polylines)} polylines "
          f"({closed} closed), {len(styles)} layers")


def run(gomiat, input_path):
    with tempfile.TemporaryDirectory(prefix="gomiat-check-") as tmp:
        env = dict(os.environ, HOME=tmp, XDG_CONFIG_HOME=f"{tmp}/config",
                   QDR2_GOMIAT_HOME=f"{tmp}/component",
                   QDR2_GOMIAT_UI="headless")
        os.mkdir(env["QDR2_GOMIAT_HOME"])
        dxf, geojson = f"{tmp}/road.dxf", f"{tmp}/road.geojson"

        def gomiat_run(*args):
            return subprocess.run([gomiat, "croquis", *args], env=env,
                                  capture_output=True, text=True, timeout=60)

        report = f"{tmp}/report.txt"
        r = gomiat_run(input_path, "-o", dxf, "--geojson", geojson,
                       "--report", report)
        check(r.returncode == 0, f"gomiat failed ({r.returncode}): {r.stderr}")
        check("polylines" in r.stdout, "no summary")
        table = f"{env['QDR2_GOMIAT_HOME']}/autocroquis.txt"
        check(not os.path.exists(table), "a run that only reads saved codes")
        # --save-codes saves the table the first run used.
        r = gomiat_run(input_path, "-o", "/dev/null", "--save-codes", "-q")
        check(r.returncode == 0 and os.path.exists(table),
              f"-o /dev/null --save-codes: {r.stderr}")
        check_outputs(input_path, dxf, geojson, table)
        check("Per code" in pathlib.Path(report).read_text(), "no report")

        # A malformed line: exit 2, named by file and line, nothing written.
        bad = pathlib.Path(f"{tmp}/bad.txt")
        bad.write_text("1,431200.5,4412100.2,600,CT\n"
                       "2,431201.5,4412x00.5,600\n")
        pathlib.Path(dxf).write_text("previous drawing")
        new_json = f"{tmp}/new.geojson"
        r = gomiat_run(bad, "-o", dxf, "--geojson", new_json)
        check(r.returncode == 2, f"malformed input gave {r.returncode}")
        check(f"{bad}:2:" in r.stderr, f"message without file:line: {r.stderr}")
        check(pathlib.Path(dxf).read_text() == "previous drawing",
              "the old drawing was touched")
        check(not os.path.exists(new_json), "output written for bad input")

        # A code table of the user's own: created on first use, then used.
        codes = f"{tmp}/my_codes.txt"
        r = gomiat_run(input_path, "-o", dxf, "--geojson", geojson,
                       "--codes", codes, "--save-codes", "-q")
        check(r.returncode == 0 and r.stdout == "", f"--codes: {r.stderr}")
        check_outputs(input_path, dxf, geojson, codes)


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] != "--run":
        sys.exit(__doc__)
    run(sys.argv[2], sys.argv[3])
