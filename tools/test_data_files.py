#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the supplied CURRENCY.DAT and MEASURE.DAT exactly as the program's converters do, and
converts with them as the program does; checks that TIME_ZON.TZN gives every location of
TIME_ZON.DAT a zone the system has.

Usage: test_data_files.py [DATA_DIR]   (default: $ZW_DATA_DIR, else the source tree's data/)
"""

import datetime
import math
import os
import re
import struct
import sys
import unittest
import zoneinfo

DATA_DIR = os.environ.get(
    "ZW_DATA_DIR", os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
)

ZONEINFO = "/usr/share/zoneinfo"
RECORD_SIZE = 48
MEASURE_LINE_MAX = 44
NUMBER_END = 14
NAME_START = 15
TEMPERATURE_POSITION = 4


def read(name):
    with open(os.path.join(DATA_DIR, name), "rb") as f:
        return f.read()


def parse_currencies(data):
    """(records, description): records are read while a record position starts with "R" and
    the whole record fits; a "D" where reading stopped starts the description."""
    records, pos = [], 0
    while pos + RECORD_SIZE <= len(data) and data[pos : pos + 1] == b"R":
        raw_name = data[pos + 1 : pos + 40]
        name = raw_name.split(b"\0", 1)[0].decode("latin-1")
        (rate,) = struct.unpack("<d", data[pos + 40 : pos + 48])
        records.append((name, rate, raw_name))
        pos += RECORD_SIZE
    description = None
    if data[pos : pos + 1] == b"D":
        description = data[pos + 1 :].split(b"\0", 1)[0].decode("latin-1")
    return records, description, pos


def parse_measure(data):
    """The lines before each CR (the bytes after the last CR are not a line)."""
    lines, start = [], 0
    while True:
        cr = data.find(b"\r", start)
        if cr < 0:
            break
        lines.append(data[start:cr].decode("latin-1"))
        start = cr + 2
    return lines


def number_field(line):
    """Columns 4 to 13, read like atof: the number the line's column 14 ends."""
    return float(line[4:NUMBER_END])


def four_decimals(value):
    """The program's result text: four decimals, trailing zeros and a bare point dropped, no
    zero before the point of a result below one."""
    text = f"{abs(value):.4f}".rstrip("0").rstrip(".")
    if text.startswith("0."):
        text = text[1:]
    return ("-" if value < 0 and text not in ("0", "") else "") + (text or "0")


class Measure:
    def __init__(self, lines):
        self.lines = lines
        self.categories = [(line[0], line[NAME_START:]) for line in lines if line[2] == "0"]

    def units(self, code, system):
        return [line for line in self.lines if line[0] == code and line[2] == system]

    def unit(self, name):
        for line in self.lines:
            if line[2] != "0" and line[NAME_START:] == name:
                return line
        raise KeyError(name)

    def convert(self, value, source, target):
        position = next(i for i, (c, _) in enumerate(self.categories) if c == source[0])
        offset = number_field(self.lines[position])
        if source[2] == "2":
            value -= offset
        result = number_field(source) / number_field(target) * value
        if target[2] == "2":
            result += offset
        return result


class CurrencyFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = read("CURRENCY.DAT")
        cls.records, cls.description, cls.end = parse_currencies(cls.data)

    def test_every_record_is_read_and_the_description_ends_the_file(self):
        self.assertGreater(len(self.records), 100)
        self.assertEqual(self.end, RECORD_SIZE * len(self.records))
        self.assertIsNotNone(self.description)
        self.assertEqual(len(self.data), self.end + 1 + len(self.description) + 1)
        self.assertTrue(self.data.endswith(b"\0"))
        self.assertRegex(self.description, r"\d{4}-\d{2}-\d{2}")

    def test_names_fit_the_settings_and_are_unique(self):
        names = [name for name, _, _ in self.records]
        self.assertEqual(len(names), len(set(names)))
        for name, _, raw in self.records:
            self.assertTrue(0 < len(name) <= 35, name)
            self.assertEqual(raw[len(name) :], b"\0" * (39 - len(name)), name)
        self.assertEqual(names, sorted(names, key=lambda n: n.encode("latin-1")))

    def test_rates_are_positive_and_relative_to_the_us_dollar(self):
        rates = {name: rate for name, rate, _ in self.records}
        for name, rate in rates.items():
            self.assertTrue(math.isfinite(rate) and rate > 0, name)
        self.assertEqual(rates["United States Dollar"], 1.0)
        self.assertEqual(rates["Bermuda Dollar"], 1.0)
        self.assertAlmostEqual(rates["Cayman Islands Dollar"], 1.2)
        # The two CFA francs keep their fixed euro parity.
        euro_per_franc = rates["West Africa CFA Franc"] / rates["Euro"]
        self.assertAlmostEqual(euro_per_franc * 655.957, 1.0, places=9)


class MeasureFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = read("MEASURE.DAT")
        cls.measure = Measure(parse_measure(cls.data))

    def test_lines_keep_their_columns(self):
        self.assertTrue(self.data.endswith(b"\r\n"))
        self.assertNotIn(b"\n", self.data.replace(b"\r\n", b""))
        seen_unit = False
        for line in self.measure.lines:
            self.assertLessEqual(len(line), MEASURE_LINE_MAX, line)
            self.assertIn(line[2], "0123", line)
            self.assertEqual(line[1] + line[3] + line[NUMBER_END], "   ", line)
            self.assertTrue(line[NAME_START:].strip(), line)
            number_field(line)
            # Title lines come first: the offset of list position k is on line k.
            seen_unit = seen_unit or line[2] != "0"
            self.assertFalse(seen_unit and line[2] == "0", line)

    def test_every_category_has_metric_us_and_other_units(self):
        names = [name for _, name in self.measure.categories]
        for required in ("Length", "Area", "Volume", "Weight", "Temperature", "Speed",
                         "Pressure", "Energy", "Power"):
            self.assertIn(required, names)
        self.assertEqual(names[TEMPERATURE_POSITION], "Temperature")
        codes = [code for code, _ in self.measure.categories]
        self.assertEqual(len(codes), len(set(codes)))
        for code, name in self.measure.categories:
            for system in "123":
                self.assertTrue(self.measure.units(code, system), f"{name} system {system}")

    def test_temperatures_convert_with_the_us_offset(self):
        f = self.measure.unit("Fahrenheit")
        c = self.measure.unit("Celsius")
        self.assertEqual(four_decimals(self.measure.convert(212, f, c)), "100")
        self.assertEqual(four_decimals(self.measure.convert(0, c, f)), "32")
        self.assertEqual(four_decimals(self.measure.convert(-40, c, f)), "-40")
        r = self.measure.unit("Réaumur")
        self.assertEqual(four_decimals(self.measure.convert(100, c, r)), "80")

    def test_other_categories_convert_by_their_factors(self):
        cases = (
            ("Mile", "Kilometer", "1.6093"),
            ("Gallon", "Liter", "3.7854"),
            ("Pound", "Kilogram", ".4536"),
            ("Acre", "Hectare", ".4047"),
            ("Atmosphere", "Pound per Square Inch", "14.6959"),
            ("Horsepower", "Watt", "745.6999"),
        )
        m = self.measure
        for source, target, shown in cases:
            with self.subTest(source=source, target=target):
                value = m.convert(1, m.unit(source), m.unit(target))
                self.assertEqual(four_decimals(value), shown)


class ZoneNamesFileTest(unittest.TestCase):
    def test_every_location_has_its_installed_zone_in_file_order(self):
        places = read("TIME_ZON.DAT").split(b"\r\n")
        zones = read("TIME_ZON.TZN").split(b"\r\n")
        self.assertEqual((places[-1], zones[-1]), (b"", b""))  # both end with CR LF
        self.assertEqual(len(zones), len(places))
        samples = [datetime.datetime(2027, m, 15, tzinfo=datetime.timezone.utc) for m in (1, 7)]
        for place, line in zip(places[:-1], zones[:-1]):
            match = re.fullmatch(rb'([12],"[^"\r\n]+","[^"\r\n]+"),"([\w/+-]+)"', line)
            self.assertTrue(match, line)
            key, zone = match[1], match[2].decode("ascii")
            self.assertTrue(place.startswith(key + b","), line)
            self.assertTrue(os.path.isfile(os.path.join(ZONEINFO, zone)), line)
            # The rule written for the place is its zone's, off by half an hour at most.
            hours, minutes, dst = (int(x) for x in place[len(key) + 1 :].split(b",")[:3])
            shown = {hours * 60 + minutes + 60 * k for k in range(dst + 1)}
            for moment in samples:
                real = moment.astimezone(zoneinfo.ZoneInfo(zone)).utcoffset().total_seconds() / 60
                self.assertLessEqual(min(abs(real - s) for s in shown), 30, line)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        DATA_DIR = sys.argv.pop(1)
    unittest.main()
