#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes data/MEASURE.DAT from tools/measure_table.txt.

The file is lines of at most 44 characters ended by CR LF, in fixed columns:
    0 category code, 2 system key ("0" title line, "1" Metric, "2" U.S., "3" Other),
    4-13 a decimal number (a unit's factor, or on a title line the category's U.S. offset),
    15- the name shown in the lists.
Title lines come first, in the order the categories are listed; the unit lines follow.

Each factor is written as the exact value of its legal definition, rounded to the ten
characters of its field; when Debian's units program is installed, every factor is also
checked against it.
"""

import argparse
import fractions
import os
import re
import shutil
import subprocess
import sys

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
REPO_DIR = os.path.dirname(TOOLS_DIR)
TABLE = os.path.join(TOOLS_DIR, "measure_table.txt")

MAX_LINE = 44
NUMBER_WIDTH = 10
NAME_COLUMN = 15
MAX_NAME = MAX_LINE - NAME_COLUMN
SYSTEMS = ("1", "2", "3")
# The dialog lets a value be negative only in the category at this list position.
NEGATIVE_POSITION, NEGATIVE_CATEGORY = 4, "Temperature"
# Ten characters keep about nine significant digits; four decimals are shown.
MAX_ROUNDING = fractions.Fraction(1, 10**7)
MAX_UNITS_DIFFERENCE = 1e-9
ENCODING = "latin-1"


class TableError(ValueError):
    pass


class Category:
    def __init__(self, code, offset, reference, name):
        self.code, self.offset, self.reference, self.name = code, offset, reference, name
        self.units = []  # (system, exact factor, units expression, name)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output-dir", default=os.path.join(REPO_DIR, "data"))
    parser.add_argument(
        "--no-units-check", action="store_true", help="skip the cross-check with units"
    )
    args = parser.parse_args(argv)
    try:
        categories = read_table(TABLE)
        lines = build_lines(categories)
        if not args.no_units_check:
            cross_check(categories)
    except (TableError, OSError) as e:
        print(f"make_measure: {e}", file=sys.stderr)
        print("make_measure: nothing written", file=sys.stderr)
        return 1
    os.makedirs(args.output_dir, exist_ok=True)
    with open(os.path.join(args.output_dir, "MEASURE.DAT"), "wb") as f:
        f.write(b"".join(line.encode(ENCODING) + b"\r\n" for line in lines))
    count = sum(len(c.units) for c in categories)
    print(f"{len(categories)} categories, {count} units")
    return 0


def read_table(path):
    categories = []
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            kind, _, rest = line.partition(" ")
            where = f"{os.path.basename(path)}:{n}"
            if kind == "category":
                parts = rest.split(None, 3)
                if len(parts) != 4:
                    raise TableError(f"{where}: expected code, offset, reference and name")
                code, offset, reference, name = parts
                categories.append(Category(code, exact(offset, where), reference, name))
            elif kind == "unit":
                parts = rest.split(None, 3)
                if len(parts) != 4 or not categories:
                    raise TableError(f"{where}: expected system, factor, expression and name")
                system, factor, expression, name = parts
                categories[-1].units.append((system, exact(factor, where), expression, name))
            else:
                raise TableError(f"{where}: unknown line {kind!r}")
    return categories


def exact(text, where):
    """A decimal, or decimals joined by * and /, as an exact fraction."""
    if not re.fullmatch(r"-?[0-9.]+([*/][0-9.]+)*", text):
        raise TableError(f"{where}: cannot read the number {text!r}")
    tokens = re.split(r"([*/])", text)
    value = fractions.Fraction(tokens[0])
    for op, operand in zip(tokens[1::2], tokens[2::2]):
        operand = fractions.Fraction(operand)
        value = value * operand if op == "*" else value / operand
    return value


def format_number(value):
    """The value in at most ten characters, as precisely as they allow."""
    if value == int(value) and len(str(int(value))) <= NUMBER_WIDTH:
        return str(int(value))
    whole = len(str(int(abs(value)))) + (1 if value < 0 else 0)
    decimals = NUMBER_WIDTH - whole - 1
    if decimals < 1:
        raise TableError(f"{float(value)} does not fit {NUMBER_WIDTH} characters")
    # Rounded on the exact fraction, so the last digit is right.
    scaled = round(value * 10**decimals)
    sign = "-" if scaled < 0 else ""
    digits = str(abs(scaled)).rjust(decimals + 1, "0")
    return f"{sign}{digits[:-decimals]}.{digits[-decimals:]}".rstrip("0").rstrip(".")


def build_lines(categories):
    problems = []
    codes = [c.code for c in categories]
    for code in sorted({c for c in codes if codes.count(c) > 1}):
        problems.append(f"category code {code!r} is used twice")
    for c in categories:
        if len(c.code) != 1 or c.code in "\r\n":
            problems.append(f"{c.name}: the code must be one character")
    names = [c.name for c in categories]
    if len(categories) <= NEGATIVE_POSITION or names[NEGATIVE_POSITION] != NEGATIVE_CATEGORY:
        problems.append(f"{NEGATIVE_CATEGORY} must be at list position {NEGATIVE_POSITION}")
    for position, c in enumerate(categories):
        if c.offset and position != NEGATIVE_POSITION:
            problems.append(f"{c.name}: only {NEGATIVE_CATEGORY} may have an offset")
    titles, units = [], []
    for c in categories:
        titles.append(("0", c.offset, c))
        systems = {s for s, _, _, _ in c.units}
        for system in SYSTEMS:
            if system not in systems:
                problems.append(f"{c.name}: no unit of system {system}")
        seen = set()
        for system, factor, _, name in c.units:
            if system not in SYSTEMS:
                problems.append(f"{c.name} {name}: unknown system {system!r}")
            if factor <= 0:
                problems.append(f"{c.name} {name}: the factor must be positive")
            if name in seen:
                problems.append(f"{c.name}: {name!r} is listed twice")
            seen.add(name)
            units.append((system, factor, c, name))
    lines = []
    for key, number, c, name in [(k, n, c, c.name) for k, n, c in titles] + [
        (s, f, c, n) for s, f, c, n in units
    ]:
        try:
            text = format_number(number)
        except TableError as e:
            problems.append(f"{c.name} {name}: {e}")
            continue
        if number and abs(fractions.Fraction(text) - number) / abs(number) > MAX_ROUNDING:
            problems.append(f"{c.name} {name}: {text} is too far from the exact value")
        line = f"{c.code} {key} {text:<{NUMBER_WIDTH}} {name}"
        problems += [f"{c.name} {name}: {p}" for p in line_problems(line, name)]
        lines.append(line)
    if problems:
        raise TableError("the table is wrong:\n  " + "\n  ".join(problems))
    return lines


def line_problems(line, name):
    found = []
    if len(name) > MAX_NAME or len(line) > MAX_LINE:
        found.append(f"the line has {len(line)} characters, more than {MAX_LINE}")
    for c in line:
        if ord(c) > 255:
            found.append(f"character U+{ord(c):04X} is outside Latin-1")
        elif ord(c) < 32 or 127 <= ord(c) < 160:
            found.append(f"control character {ord(c):#04x}")
    return found


def cross_check(categories):
    """Compares every factor with Debian's units program, when it is installed."""
    program = shutil.which("units")
    if program is None:
        print("make_measure: units is not installed; factors not cross-checked", file=sys.stderr)
        return
    problems = []
    for c in categories:
        for _, factor, expression, name in c.units:
            result = subprocess.run(
                [program, "-d", "15", "-1", "-t", expression, c.reference],
                capture_output=True,
                text=True,
                check=False,
                env=dict(os.environ, LC_ALL="C"),
            )
            try:
                theirs = float(result.stdout.strip())
            except ValueError:
                problems.append(f"{c.name} {name}: units cannot convert {expression!r}")
                continue
            if abs(theirs - float(factor)) > MAX_UNITS_DIFFERENCE * abs(float(factor)):
                problems.append(f"{c.name} {name}: units says {theirs}, the table {float(factor)}")
    if problems:
        raise TableError("the factors disagree with units:\n  " + "\n  ".join(problems))


if __name__ == "__main__":
    sys.exit(main())
