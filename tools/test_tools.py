#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Tests of the data generators' parts: what they refuse, how they read the tz database and
how they fit a zone into the file's rule."""

import datetime
import fractions
import os
import sys
import unittest
import zoneinfo

# Run from the source tree: leave no __pycache__ behind in it.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import make_currency  # noqa: E402
import make_measure  # noqa: E402
import textnames  # noqa: E402
import tzif  # noqa: E402
import zonefit  # noqa: E402
import zonelines  # noqa: E402

HAVE_ZONEINFO = os.path.isfile(os.path.join(tzif.ZONEINFO, "tzdata.zi"))


def problem_text(locations):
    return " ".join(zonelines.problems(locations))


def city(name, country="France", hours=1, minutes=0, dst=(0, 0, 0, 3, 2, 4, 0, 9, 2), kind=1):
    return zonelines.Location(kind, country, name, hours, minutes, dst)


class LineFormatTest(unittest.TestCase):
    def test_a_sorted_file_passes(self):
        locations = [
            city("Lyon"),
            city("Paris"),
            city("Berlin", "Germany"),
            city("212", "New York", kind=2),
        ]
        self.assertEqual(zonelines.problems(locations), [])

    def test_order_and_duplicates_are_refused(self):
        self.assertIn("sorts before", problem_text([city("Paris"), city("Lyon")]))
        self.assertIn("duplicate", problem_text([city("Paris"), city("Paris")]))
        # An area code after a city of a later country is still in order: the type comes first.
        in_order = [city("Zurich", "Switzerland"), city("212", "Alberta", kind=2)]
        self.assertEqual(zonelines.problems(in_order), [])
        # A name and country may not repeat under another type either.
        both = [city("Nice"), city("Nice", kind=2)]
        self.assertIn("same name and country", problem_text(both))

    def test_padding_makes_a_short_country_sort_first(self):
        # The key pads the country with blanks, which sort before every letter.
        locations = [city("Niamey", "Niger"), city("Abuja", "Nigeria")]
        self.assertEqual(zonelines.problems(locations), [])
        self.assertTrue(locations[0].key() < locations[1].key())

    def test_texts_the_loader_cannot_hold_are_refused(self):
        cases = {
            "x" * 41: "more than 40",
            'The "Big" Apple': "double quote",
            "Washington, D.C.": "comma",
            "Ho Chi Minh \u1ec7": "outside Latin-1",
            "Tab\there": "control character",
        }
        for name, reason in cases.items():
            with self.subTest(name=name):
                self.assertIn(reason, problem_text([city(name)]))
        self.assertEqual(zonelines.problems([city("x" * 40, "y" * 40)]), [])

    def test_fields_out_of_range_are_refused(self):
        bad = {
            "outside -12..14": city("A", hours=15),
            "not 0, 30 or -30": city("B", minutes=45),
            "wrong sign": city("C", hours=-3, minutes=30),
            "start month 12": city("D", dst=(1, 0, 0, 12, 2, 4, 0, 9, 2)),
            "end hour 24": city("E", dst=(1, 0, 0, 2, 2, 4, 0, 9, 24)),
            "start ordinal 5": city("F", dst=(1, 5, 0, 2, 2, 4, 0, 9, 2)),
        }
        for reason, loc in bad.items():
            with self.subTest(reason=reason):
                self.assertIn(reason, problem_text([loc]))
        half_hours = [city("G", hours=-3, minutes=-30), city("H", hours=0, minutes=-30)]
        self.assertEqual(zonelines.problems(half_hours), [])

    def test_lines_are_canonical_latin1_with_crlf(self):
        loc = city("Montréal", "Canada", -5, 0, (1, 1, 0, 2, 2, 0, 0, 10, 2))
        self.assertEqual(loc.line(), b'1,"Canada","Montr\xe9al",-5,0,1,1,0,2,2,0,0,10,2\r\n')
        self.assertEqual(zonelines.parse(loc.line()), [loc])

    def test_nothing_is_written_when_something_is_wrong(self):
        path = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"zw-tools-test-{os.getpid()}.dat")
        self.assertTrue(zonelines.write(path, [city("Paris"), city("Lyon")]))
        self.assertFalse(os.path.exists(path))


class TransliterationTest(unittest.TestCase):
    def test_names_keep_the_accents_latin1_has(self):
        self.assertEqual(textnames.to_latin1("Łódź"), "Lódz")
        self.assertEqual(textnames.to_latin1("Buôn Ma Thuột"), "Buôn Ma Thuôt")
        self.assertEqual(textnames.to_latin1("Mazār-e Sharīf"), "Mazar-e Sharif")
        self.assertEqual(textnames.to_latin1("Nukuʻalofa"), "Nuku'alofa")
        self.assertEqual(textnames.to_latin1("Saint John’s"), "Saint John's")
        self.assertEqual(textnames.to_latin1("Sumqayıt"), "Sumqayit")

    def test_letters_without_a_latin1_form_are_refused(self):
        with self.assertRaises(textnames.TextError):
            textnames.to_latin1("東京")


class RuleSimulationTest(unittest.TestCase):
    def test_switch_days_are_computed_as_the_program_does(self):
        def day(year, switch):
            seconds = zonefit.transition(year, switch)
            return datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=seconds)

        # 1997: April 1 was a Tuesday.
        self.assertEqual(day(1997, zonefit.Switch(0, 0, 3, 2)), datetime.datetime(1997, 4, 6, 2))
        self.assertEqual(day(1997, zonefit.Switch(4, 0, 9, 2)), datetime.datetime(1997, 10, 26, 2))
        # A first Sunday that is the 1st; the 4th never leaves the month; "last" in December.
        self.assertEqual(day(2028, zonefit.Switch(0, 0, 9, 0)), datetime.datetime(2028, 10, 1))
        self.assertEqual(day(2027, zonefit.Switch(3, 1, 1, 0)), datetime.datetime(2027, 2, 22))
        self.assertEqual(day(2027, zonefit.Switch(4, 5, 11, 0)), datetime.datetime(2027, 12, 31))

    def test_a_southern_rule_wraps_the_new_year(self):
        rule = zonefit.FileRule(10 * 3600, zonefit.Switch(0, 0, 9, 2), zonefit.Switch(0, 0, 3, 3))
        timeline = rule.timeline(2027, 2027)

        def offset(month):
            return tzif.offset_at(timeline, zonefit._epoch(2027, month, 15))

        self.assertEqual([offset(1), offset(6), offset(12)], [11 * 3600, 10 * 3600, 11 * 3600])

    def test_fields_carry_the_half_hour_with_the_sign_of_the_offset(self):
        self.assertEqual(zonefit.FileRule(-12600).offset_fields(), (-3, -30))
        self.assertEqual(zonefit.FileRule(19800).offset_fields(), (5, 30))
        self.assertEqual(zonefit.FileRule(-1800).offset_fields(), (0, -30))
        self.assertEqual(zonefit.FileRule(0).dst_fields(), (0, 0, 0, 3, 2, 4, 0, 9, 2))


@unittest.skipUnless(HAVE_ZONEINFO, "tzdata is not installed")
class TzDatabaseTest(unittest.TestCase):
    def test_offsets_agree_with_zoneinfo_at_every_transition(self):
        for name in ("America/New_York", "Australia/Lord_Howe", "Europe/Dublin",
                     "Africa/Casablanca", "America/Santiago", "Asia/Gaza", "Pacific/Chatham",
                     "America/Havana"):
            timeline = tzif.read_zone(name).timeline(2027, 2032)
            zone = zoneinfo.ZoneInfo(name)
            for t, _, _ in timeline:
                for probe in (t - 1, t, t + 1800):
                    moment = datetime.datetime.fromtimestamp(probe, datetime.timezone.utc)
                    with self.subTest(zone=name, at=moment):
                        self.assertEqual(tzif.offset_at(timeline, probe),
                                         moment.astimezone(zone).utcoffset().total_seconds())

    def test_footers_with_version_3_times_are_read(self):
        tz = tzif.PosixTz("<-02>2<-01>,M3.5.0/-1,M10.5.0/0")
        self.assertEqual((tz.std_offset, tz.dst_offset), (-7200, -3600))
        self.assertEqual(tz.start.seconds, -3600)
        self.assertEqual(tzif.PosixTz("EET-2EEST,M3.4.4/50,M10.4.4/50").end.seconds, 50 * 3600)
        self.assertFalse(tzif.PosixTz("<+0545>-5:45").has_dst)

    def fit(self, name):
        return zonefit.fit_zone(tzif.read_zone(name), 2027, 2037)

    def test_dublin_reads_like_london(self):
        dublin, london = self.fit("Europe/Dublin"), self.fit("Europe/London")
        self.assertTrue(dublin.exact)
        self.assertEqual(dublin.rule, london.rule)

    def test_rules_the_file_holds_are_exact(self):
        for name, fields in (
            ("America/New_York", (-5, 0, (1, 1, 0, 2, 2, 0, 0, 10, 2))),
            ("Australia/Adelaide", (9, 30, (1, 0, 0, 9, 2, 0, 0, 3, 3))),
            ("America/St_Johns", (-3, -30, (1, 1, 0, 2, 2, 0, 0, 10, 2))),
            ("Asia/Tokyo", (9, 0, (0, 0, 0, 3, 2, 4, 0, 9, 2))),
        ):
            fit = self.fit(name)
            with self.subTest(zone=name):
                self.assertTrue(fit.exact)
                self.assertEqual(fit.rule.offset_fields() + (fit.rule.dst_fields(),), fields)

    def test_quarter_hour_offsets_are_shown_a_quarter_hour_ahead(self):
        fit = self.fit("Asia/Kathmandu")
        self.assertFalse(fit.exact)
        self.assertEqual(fit.rule, zonefit.FileRule(6 * 3600))
        self.assertEqual(fit.describe(), "+5:45 shown as +6:00 (15 minutes ahead)")

    def test_a_switch_at_24_00_becomes_23_00_of_the_same_day(self):
        fit = self.fit("Africa/Cairo")
        self.assertFalse(fit.exact)
        self.assertEqual(fit.rule.end, zonefit.Switch(zonefit.LAST, 4, 9, 23))
        self.assertEqual(sum(b - a for a, b, _, _, d in fit.pieces if d), 11 * 3600)

    def test_a_half_hour_of_daylight_saving_is_dropped(self):
        fit = self.fit("Australia/Lord_Howe")
        self.assertEqual(fit.rule, zonefit.FileRule(10 * 3600 + 1800))
        self.assertEqual(
            fit.describe(), "+11:00 (daylight time) shown as +10:30 (30 minutes behind)"
        )


class ConversionTablesTest(unittest.TestCase):
    def test_factors_are_rounded_into_ten_characters(self):
        self.assertEqual(make_measure.format_number(fractions.Fraction(5, 9)), "0.55555556")
        self.assertEqual(
            make_measure.format_number(fractions.Fraction("1016046.9088")), "1016046.91"
        )
        self.assertEqual(make_measure.format_number(fractions.Fraction("0.0000001")), "0.0000001")
        self.assertEqual(make_measure.format_number(fractions.Fraction(105480400)), "105480400")
        with self.assertRaises(make_measure.TableError):
            make_measure.format_number(fractions.Fraction(10**11))

    def test_a_measure_table_that_breaks_the_file_is_refused(self):
        three = (("1", 1, "m", "Meter"), ("2", 1, "m", "Foot"), ("3", 1, "m", "Rod"))

        def category(name, code, offset=0, units=three):
            c = make_measure.Category(code, fractions.Fraction(offset), "m", name)
            c.units = [(s, fractions.Fraction(f), e, n) for s, f, e, n in units]
            return c

        good = [category(n, code) for n, code in zip(("A", "B", "C", "D", "Temperature"), "ABCDT")]
        self.assertEqual(len(make_measure.build_lines(good)), 5 + 15)
        cases = {
            "position 4": good[:4] + [category("Heat", "T")],
            "more than 44": good[:4]
            + [category("Temperature", "T", units=(("1", 1, "m", "x" * 30),) + three[1:])],
            "no unit of system 3": good[:4] + [category("Temperature", "T", units=three[:2])],
            "used twice": good[:3] + [category("D", "A"), good[4]],
            "only Temperature": [category("A", "A", offset=32)] + good[1:],
        }
        for reason, categories in cases.items():
            with self.subTest(reason=reason):
                with self.assertRaises(make_measure.TableError) as raised:
                    make_measure.build_lines(categories)
                self.assertIn(reason, str(raised.exception))

    def test_pegged_rates_follow_their_anchor(self):
        rates = make_currency.resolve_rates([
            ("USD", "1", "Dollar"),
            ("KYD", "=USD*1.2", "Cayman"),
            ("EUR", "1.1", "Euro"),
            ("XOF", "=EUR/655.957", "Franc"),
        ])
        self.assertAlmostEqual(rates["KYD"], 1.2)
        self.assertAlmostEqual(rates["XOF"] * 655.957, 1.1)
        with self.assertRaises(make_currency.TableError):
            make_currency.resolve_rates([("AAA", "=BBB", "A"), ("BBB", "=AAA", "B")])

    def test_currency_names_the_settings_cannot_keep_are_refused(self):
        self.assertTrue(make_currency.name_problems("x" * 36))
        self.assertTrue(make_currency.name_problems("Yen \u5186"))
        self.assertEqual(make_currency.name_problems("Türkiye Lira"), [])

    def test_records_are_48_bytes_and_the_description_ends_with_nul(self):
        data = make_currency.encode([("Euro", 1.1), ("Japan Yen", 0.007)], "Rates of today")
        self.assertEqual(len(data), 2 * 48 + 1 + len("Rates of today") + 1)
        self.assertEqual(data[48:58], b"RJapan Yen")
        self.assertEqual(data[96:], b"DRates of today\0")


if __name__ == "__main__":
    unittest.main()
