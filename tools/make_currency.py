#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes data/CURRENCY.DAT from tools/currency_table.txt.

The file is a run of 48-byte records -- "R", the name in 39 bytes ending in NUL, the value
of one unit in US dollars as a little-endian double -- followed by "D" and the description
text ending in NUL. The program lists the records in file order, so they are written sorted
by name.

The table's rates are numbers copied from the dated currency snapshot of Debian's units
package; `--from-units` copies them again from the installed snapshot (rates and date),
leaving the names and the fixed pegs alone. Every currency of iso-codes' ISO 4217 list must
be in the table or excluded in it with a reason, so a new currency is not missed.
"""

import argparse
import json
import math
import os
import re
import struct
import sys

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
REPO_DIR = os.path.dirname(TOOLS_DIR)
TABLE = os.path.join(TOOLS_DIR, "currency_table.txt")
UNITS_CURRENCY = "/var/lib/units/currency.units"
ISO_4217 = "/usr/share/iso-codes/json/iso_4217.json"

RECORD_SIZE = 48
NAME_FIELD = 39
# The settings keep the last chosen names in 36-byte fields with their terminator.
MAX_NAME = 35
ENCODING = "latin-1"
BASE = "USD"


class TableError(ValueError):
    pass


class Table:
    """The parsed table: its directives, its currencies in table order and its exclusions."""

    def __init__(self, path=TABLE):
        self.path = path
        self.lines = []
        self.date = self.source = None
        self.currencies = []  # (code, rate text, name)
        self.excluded = {}  # code -> reason
        with open(path, encoding="utf-8") as f:
            self.lines = f.read().splitlines()
        for n, line in enumerate(self.lines, 1):
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            word, _, rest = stripped.partition(" ")
            rest = rest.strip()
            if word == "date":
                self.date = rest
            elif word == "source":
                self.source = rest
            elif word == "exclude":
                code, _, reason = rest.partition(" ")
                self.excluded[code] = reason.strip()
            else:
                parts = stripped.split(None, 2)
                if len(parts) != 3:
                    raise TableError(f"{path}:{n}: expected code, rate and name")
                self.currencies.append(tuple(parts))
        if not self.date or not self.source:
            raise TableError(f"{path}: the date and source lines are missing")

    def description(self):
        return (
            f"Exchange rates of {self.date} from {self.source}. Pegged currencies at their "
            "fixed parity. Rates change daily: check them before you exchange money."
        )


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output-dir", default=os.path.join(REPO_DIR, "data"))
    parser.add_argument(
        "--from-units",
        action="store_true",
        help="copy the rates and date of the installed units snapshot into the table first",
    )
    args = parser.parse_args(argv)
    try:
        if args.from_units:
            refresh_from_units(TABLE, UNITS_CURRENCY)
        table = Table()
        records = build_records(table, read_iso_codes())
        data = encode(records, table.description())
    except (TableError, OSError) as e:
        print(f"make_currency: {e}", file=sys.stderr)
        print("make_currency: nothing written", file=sys.stderr)
        return 1
    os.makedirs(args.output_dir, exist_ok=True)
    with open(os.path.join(args.output_dir, "CURRENCY.DAT"), "wb") as f:
        f.write(data)
    print(f"{len(records)} currencies, rates of {table.date}")
    return 0


def read_iso_codes(path=ISO_4217):
    with open(path, encoding="utf-8") as f:
        return {c["alpha_3"] for c in json.load(f)["4217"]}


def build_records(table, iso_codes):
    """(name, rate) sorted by name, after every check the program's reader relies on."""
    problems = []
    codes = [code for code, _, _ in table.currencies]
    rates = resolve_rates(table.currencies)
    for code in sorted(iso_codes - set(codes) - set(table.excluded)):
        problems.append(f"{code} is in ISO 4217 but neither listed nor excluded")
    for code in sorted((set(codes) | set(table.excluded)) - iso_codes):
        problems.append(f"{code} is not an ISO 4217 code")
    for code in sorted(set(codes) & set(table.excluded)):
        problems.append(f"{code} is both listed and excluded")
    seen = set()
    for code, _, name in table.currencies:
        problems += [f"{code} {name!r}: {p}" for p in name_problems(name)]
        if name in seen:
            problems.append(f"{code}: the name {name!r} is used twice")
        seen.add(name)
        if not (math.isfinite(rates[code]) and rates[code] > 0):
            problems.append(f"{code}: rate {rates[code]} is not a positive number")
    if problems:
        raise TableError("the table is wrong:\n  " + "\n  ".join(problems))
    records = [(name, rates[code]) for code, _, name in table.currencies]
    return sorted(records, key=lambda r: r[0].encode(ENCODING))


def name_problems(name):
    found = []
    if not name:
        found.append("empty name")
    if len(name) > MAX_NAME:
        found.append(f"{len(name)} characters, more than {MAX_NAME}")
    for c in name:
        if ord(c) > 255:
            found.append(f"character U+{ord(c):04X} is outside Latin-1")
        elif ord(c) < 32 or 127 <= ord(c) < 160:
            found.append(f"control character {ord(c):#04x}")
    return found


def resolve_rates(currencies):
    """US dollars per unit for each code: a number, or a peg "=CODE", "=CODE*x", "=CODE/x"."""
    texts = {code: rate for code, rate, _ in currencies}
    rates = {}

    def value(code, chain):
        if code in rates:
            return rates[code]
        if code not in texts:
            raise TableError(f"a peg refers to {code}, which the table does not list")
        if code in chain:
            raise TableError(f"pegs go round in a circle: {' -> '.join(chain + [code])}")
        text = texts[code]
        m = re.fullmatch(r"=([A-Z]{3})(?:([*/])([0-9.]+))?", text)
        if m:
            target = value(m.group(1), chain + [code])
            factor = float(m.group(3)) if m.group(3) else 1.0
            result = target * factor if m.group(2) == "*" else target / factor
        else:
            try:
                result = float(text)
            except ValueError:
                raise TableError(f"{code}: cannot read the rate {text!r}") from None
        rates[code] = result
        return result

    for code in texts:
        value(code, [])
    return rates


def encode(records, description):
    out = bytearray()
    for name, rate in records:
        encoded = name.encode(ENCODING)
        out += b"R" + encoded.ljust(NAME_FIELD, b"\0") + struct.pack("<d", rate)
    if len(out) != RECORD_SIZE * len(records):
        raise TableError("a record is not 48 bytes long")
    out += b"D" + description.encode(ENCODING) + b"\0"
    return bytes(out)


def read_units_snapshot(path=UNITS_CURRENCY):
    """The snapshot's date and its rates in US dollars per unit, by ISO code.

    The file first maps ISO codes to unit names ("JPY  japanyen"), then defines each unit
    as an amount of another ("japanyen  0.0071 USD", "cfpfranc  1|119.33 euro", or just
    "GBP" for a currency at par)."""
    names, definitions, date = {}, {}, None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            m = re.search(r"!message .* on (\d{4}-\d{2}-\d{2})", raw)
            if m:
                date = m.group(1)
            fields = raw.split("#")[0].split(None, 1)
            if len(fields) != 2 or fields[0].startswith("!"):
                continue
            target = names if re.fullmatch(r"[A-Z]{3}", fields[0]) else definitions
            target[fields[0]] = fields[1].strip()
    if date is None:
        raise TableError(f"{path}: no date found")

    def dollars(unit, depth=0):
        if unit in ("US$", "USD") or depth > 10:
            return 1.0 if depth <= 10 else math.nan
        unit = names.get(unit, unit)
        text = definitions.get(unit)
        if text is None:
            return math.nan
        m = re.fullmatch(r"(1\|)?([0-9.e+-]+)\s+(\S+)", text)
        if m:
            amount = float(m.group(2))
            base = dollars(m.group(3), depth + 1)
            return base / amount if m.group(1) else base * amount
        return dollars(text, depth + 1)

    rates = {code: dollars(code) for code in names}
    return date, {code: rate for code, rate in rates.items() if math.isfinite(rate)}


def _is_rate_line(parts):
    return len(parts) == 3 and re.fullmatch(r"[A-Z]{3}", parts[0]) is not None


def refresh_from_units(table_path, units_path):
    date, rates = read_units_snapshot(units_path)
    table = Table(table_path)
    missing = []
    out = []
    for line in table.lines:
        parts = line.split(None, 2)
        if line.startswith("date "):
            out.append(f"date {date}")
        elif _is_rate_line(parts) and not parts[1].startswith("="):
            if parts[0] in rates:
                out.append(f"{parts[0]}  {rates[parts[0]]!r:<22}  {parts[2]}")
            else:
                missing.append(parts[0])
                out.append(line)
        else:
            out.append(line)
    if missing:
        raise TableError("the units snapshot has no rate for " + ", ".join(missing))
    with open(table_path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    sys.exit(main())
