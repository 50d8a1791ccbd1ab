#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_load_database: small database files, valid
and cut, built field by field here (independently of the program's codec).

Run from anywhere: python3 tests/fuzz/make_load_database_corpus.py
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "fuzz_load_database")


def text(value, width):
    data = value.encode("cp1252")[:width]
    return data + b"\0" * (width - len(data))


def header(count, version=2.0):
    return struct.pack("<fh", version, count) + b"\0\0"


def grade(value, kind, coefficient, trimester, info=""):
    return struct.pack("<fB3xfh", value, kind, coefficient, trimester) + text(info, 34)


def class_record(name, students, counts, averages=(0.0,) * 6, info="", year="2026 - 2027"):
    return (text(name, 32) + text(info, 100) + text(year, 32) + struct.pack("<h", students)
            + struct.pack("<6h", *counts) + b"\0\0" + struct.pack("<6f", *averages) + b"\0" * 8)


def student(name, first="", sex=0, born="", place="", info="", averages=(0.0,) * 6):
    return (text(name, 32) + text(first, 32) + bytes([sex]) + text(born, 32) + text(place, 32)
            + text(info, 100) + b"\0" * 3 + struct.pack("<6f", *averages) + b"\0" * 4)


def stored(stream):
    """The stream as the program stores it: each 0A byte written 0D 0A."""
    return stream.replace(b"\n", b"\r\n")


def class_with_grades(name, marks, columns, info=""):
    """`columns` is a list of (kind, coefficient, trimester, info); `marks` one
    list of values per student."""
    counts = [0] * 6
    for kind, _, trimester, _ in columns:
        counts[(trimester - 1) * 2 + kind] += 1
    out = class_record(name, len(marks), counts, (12.5, 0, 8.625, 0, 0, 0), info)
    for kind, coefficient, trimester, text_ in columns:
        out += grade(12.5, kind, coefficient, trimester, text_)
    for j, values in enumerate(marks):
        out += student("Élève %d" % j, "Zoé", j % 2, "12/03/2012", "Besançon",
                       averages=(values[0], 0, 0, 0, 0, 0))
        for (kind, coefficient, trimester, _), value in zip(columns, values):
            out += grade(value, kind, coefficient, trimester)
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    columns = [(0, 2.0, 1, "DS 1"), (1, 1.0, 1, "Oral"), (0, 1.0, 2, "DM\n2"), (1, 0.5, 3, "")]
    one_class = class_with_grades("3e A", [[15.0, -1.0, 8.625, 10.0], [10.0, 12.0, 20.0, -1.0]],
                                  columns, "Groupe\nB")
    files = {
        "empty": header(0),
        "negative_count": header(-1),
        "version_1": header(1, 1.0) + class_record("6e A", 0, [0] * 6),
        "one_class": header(1) + one_class,
        "ten_students": header(1) + class_record("4e B", 10, [0] * 6)
        + b"".join(student("Eleve %d" % j) for j in range(10)),
        "twenty_six_students": header(1) + class_record("5e C", 26, [0] * 6)
        + b"".join(student("E%d" % j) for j in range(26)),
        "line_feeds_everywhere": header(1) + class_with_grades(
            "a\nb\rc\x1ad", [[8.625, 2.5], [struct.unpack("<f", b"\n\r\x1a\n")[0], -1.0]],
            [(0, 8.625, 1, "\r\n\n\r"), (1, 1.0, 2, "x" * 33 + "\r")]),
        "two_classes_trailing": header(2) + one_class + class_record("Vide", 0, [0] * 6)
        + b"trailing\r\n",
    }
    for name in list(files):
        files[name] = stored(files[name])
    whole = stored(header(3) + one_class + one_class + one_class)
    third = len(stored(header(3) + one_class + one_class))
    files["cut_in_third_class"] = whole[:third + 100]
    files["cut_in_student"] = whole[:third + 212 + 4 * 48 + 1 + 100]
    files["cut_in_grade"] = whole[:len(whole) - 20]
    files["cut_in_header"] = whole[:5]
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
