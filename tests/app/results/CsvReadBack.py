"""Reads the position CSV of the WALK measurement back as a spreadsheet
program would, through Python's csv module: byte-order mark, header, row
count, an empty undefined cell and a value."""
import csv
import sys


def main(path):
    with open(path, "rb") as raw:
        data = raw.read()
    assert data.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    assert data.count(b"\r\n") == data.count(b"\n"), "a line does not end in CR LF"
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], rows[1:]
    assert header[:4] == ["frame", "target", "name", "time (s)"], header
    assert header[7:10] == ["speed (mm/s)", "vx (mm/s)", "vy (mm/s)"], header
    assert len(body) == 6, len(body)
    assert all(len(row) == len(header) for row in body)
    first = dict(zip(header, body[0]))
    assert first["name"] == "头" and first["speed (mm/s)"] == "", first
    third = dict(zip(header, body[2]))
    assert float(third["acceleration (mm/s^2)"]) == 500.0, third
    assert float(third["vy (mm/s)"]) == 80.0, third
    print("ok", len(body), "rows")


if __name__ == "__main__":
    main(sys.argv[1])
