#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the generators into a scratch directory and compares the result with the committed
files in data/ byte for byte.

A generator whose inputs are not installed (see scripts/install-data-tools-deps.sh), or not
the versions the committed files were made from, is skipped rather than failed.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
DATA_DIR = os.path.join(os.path.dirname(TOOLS_DIR), "data")
# Run from the source tree: leave no __pycache__ behind in it.
sys.dont_write_bytecode = True
sys.path.insert(0, TOOLS_DIR)

import make_currency  # noqa: E402
import make_time_zones  # noqa: E402
import nanp  # noqa: E402
import tzif  # noqa: E402

def missing(*paths):
    return [p for p in paths if not os.path.exists(p)]


def committed_tzdata_version():
    """The tzdata version named in the header of the committed zone list."""
    with open(os.path.join(DATA_DIR, "TIME_ZON.zones"), encoding="latin-1") as f:
        header = f.readline()
    marker = "(tzdata "
    return header.split(marker, 1)[1].split(")", 1)[0] if marker in header else None


class GeneratorsReproduceTheCommittedFiles(unittest.TestCase):
    def setUp(self):
        self.out = tempfile.mkdtemp(prefix="zw-generators-")
        self.addCleanup(shutil.rmtree, self.out)

    def run_tool(self, script, *args):
        result = subprocess.run(
            [sys.executable, os.path.join(TOOLS_DIR, script), "--output-dir", self.out, *args],
            capture_output=True,
            text=True,
            check=False,
            env=dict(os.environ, PYTHONDONTWRITEBYTECODE="1"),
        )
        self.assertEqual(result.returncode, 0, result.stderr)

    def assertSameFile(self, name):
        with open(os.path.join(self.out, name), "rb") as f:
            made = f.read()
        with open(os.path.join(DATA_DIR, name), "rb") as f:
            committed = f.read()
        self.assertTrue(made == committed, f"{name} differs from the committed file")

    def test_time_zones(self):
        absent = missing(
            os.path.join(make_time_zones.GEONAMES_DIR, "cities15000.txt"),
            os.path.join(make_time_zones.ISO_DIR, "iso_3166-1.json"),
            os.path.join(tzif.ZONEINFO, "tzdata.zi"),
            nanp.GEOCODER_JAR,
        )
        if absent:
            self.skipTest("inputs not installed: " + ", ".join(absent))
        installed = tzif.tzdata_version()
        if installed != committed_tzdata_version():
            made_from = committed_tzdata_version()
            self.skipTest(f"data/ was made from tzdata {made_from}, not {installed}")
        shutil.copy(os.path.join(DATA_DIR, "README"), self.out)
        self.run_tool("make_time_zones.py", "--quiet")
        for name in ("TIME_ZON.DAT", "TIME_ZON.TZN", "TIME_ZON.zones", "README"):
            self.assertSameFile(name)

    def test_currency(self):
        absent = missing(make_currency.ISO_4217)
        if absent:
            self.skipTest("inputs not installed: " + ", ".join(absent))
        self.run_tool("make_currency.py")
        self.assertSameFile("CURRENCY.DAT")

    def test_measure(self):
        self.run_tool("make_measure.py", "--no-units-check")
        self.assertSameFile("MEASURE.DAT")


if __name__ == "__main__":
    unittest.main(verbosity=2)
