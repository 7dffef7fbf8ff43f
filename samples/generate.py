#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the bundled sample survey in every source layout.

Four shore profiles (11, 12A, 12B, 13) run east-south-east from a dune
crest across the beach into about 6 m of water. Land shots come from a total
station, water shots from an echo sounder. Run it again only to change the
samples; the expected deliverables under tests/data/batch must then be
re-blessed.
"""
import math
import random
from pathlib import Path

HERE = Path(__file__).resolve().parent
rng = random.Random(1947)

# profile, start easting, start northing, line angle (seaward bearing 110).
# 12A and 12B are the morning and afternoon runs of line 12: one starting point.
PROFILES = [
    ("11", 512013.70, 4108280.90, 289.0),
    ("12A", 512040.25, 4108210.50, 290.0),
    ("12B", 512040.25, 4108210.50, 290.0),
    ("13", 512066.80, 4108140.10, 291.0),
]
STARTS = [("11", 0), ("12", 1), ("13", 3)]


def land_elevation(d, shift):
    # dune crest, foredune face, berm, beach face
    if d < 8:
        return 5.1 + 0.05 * d + shift
    if d < 25:
        return 5.5 - (d - 8) * 0.17 + shift
    if d < 45:
        return 2.6 - (d - 25) * 0.02 + shift
    return 2.2 - (d - 45) * 0.095 + shift


def sea_elevation(d, shift):
    # bar and trough, then a steady offshore slope
    base = -0.6 - (d - 70) * 0.0165
    bar = 0.7 * math.exp(-((d - 180) / 35.0) ** 2)
    return base + bar + shift


def position(e0, n0, angle, d, offset):
    a = math.radians(angle)
    de, dn = -math.sin(a), -math.cos(a)  # down range
    pe, pn = -dn, de  # across the line
    return e0 + de * d + pe * offset, n0 + dn * d + pn * offset


def land_shots():
    shots = []
    for k, (name, e0, n0, angle) in enumerate(PROFILES):
        shift = 0.1 * k
        d = 0.0
        while d <= 80.0:
            e, n = position(e0, n0, angle, d, rng.uniform(-0.6, 0.6))
            z = land_elevation(d, shift) + rng.uniform(-0.03, 0.03)
            kind = "L" if d < 45 else "B"
            shots.append((name, round(e, 3), round(n, 3), round(z, 3), kind))
            d += rng.uniform(2.5, 5.0)
    return shots


def sea_shots():
    shots = []
    for k, (name, e0, n0, angle) in enumerate(PROFILES):
        shift = -0.05 * k
        d = 70.0
        while d <= 400.0:
            e, n = position(e0, n0, angle, d, rng.uniform(-2.0, 2.0))
            z = sea_elevation(d, shift)
            tide = 0.42 + 0.0004 * d
            heave = rng.uniform(-0.12, 0.12)
            dbt = tide + heave - z
            shots.append((name, round(e, 2), round(n, 2), round(tide, 2), round(heave, 2), round(dbt, 2)))
            d += rng.uniform(8.0, 12.0)
    return shots


def write(name, lines):
    (HERE / name).write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))


def main():
    land = land_shots()
    sea = sea_shots()

    trimble = ["REM Sample beach survey, total station, 2026-10-14", "; Seq,E,N,Elev,Remark"]
    trimble.append(f"1,{PROFILES[0][1] - 40:.3f},{PROFILES[0][2] + 15:.3f},6.912,STN BM41")
    for i, (p, e, n, z, kind) in enumerate(land, start=2):
        trimble.append(f"{i},{e:.3f},{n:.3f},{z:.3f},PRO{p} {kind}")
    write("survey-trimble.csv", trimble)

    write("survey-processed.xyz", ["; E,N,Elev,Remark"] + [f"{e:.3f},{n:.3f},{z:.3f},PRO{p} {kind}" for p, e, n, z, kind in land])
    write("survey-processed.dat", ["REM N,E,Elev,Remark"] + [f"{n:.3f},{e:.3f},{z:.3f},PRO{p} {kind}" for p, e, n, z, kind in land])
    write("survey-field.co", ["REM Field book export"] + [f"{i},{n:.3f},{e:.3f},{z:.3f},PRO{p} {kind}" for i, (p, e, n, z, kind) in enumerate(land, start=501)])

    sounder = ["REM Line#,E,N,Z,Tide,Heave,Pitch,Roll,DBT"]
    for p, e, n, tide, heave, dbt in sea:
        sounder.append(f"PRO{p},{e:.2f},{n:.2f},0.00,{tide:.2f},{heave:.2f},0.0,0.0,{dbt:.2f}")
    write("survey-sounder.txt", sounder)

    # Hypack has no remark column: one run line of soundings, as elevations.
    hypack = [f"{e:.2f},{n:.2f},{tide + heave - dbt:.2f}" for p, e, n, tide, heave, dbt in sea if p == "13"]
    write("survey-hypack.xyz", hypack)

    write("survey.spf", [f"{key},{PROFILES[i][1]:.2f},{PROFILES[i][2]:.2f},{PROFILES[i][3]:g}" for key, i in STARTS])

    template = []
    for p, *_ in PROFILES:
        pts = []
        for d in (0, 10, 25, 45, 70, 120, 180, 250, 320, 400):
            z = land_elevation(d, 0.3) if d < 70 else sea_elevation(d, -0.2)
            pts += [f"{d}", f"{z:.2f}"]
        template.append(f"PRO{p}," + ",".join(pts))
    write("survey.tvt", template)

    write("survey.itf", [
        "ISRP SAMPLE SURVEY  BEACH PROFILES 11-13",
        "DATUM NAVD88  UNITS METRES  GRID UTM 18N",
    ])


if __name__ == "__main__":
    main()
