# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads compiled tz database files (TZif, version 2 or later) into a timeline of offsets.

Only what the zone generator needs: the UTC offset in force at any instant, taken from the
file's explicit transitions and, after the last of them, from its POSIX TZ footer.
"""

import bisect
import datetime
import re
import struct

ZONEINFO = "/usr/share/zoneinfo"

_HEADER = struct.Struct(">4sc15x6l")


class TzifError(ValueError):
    pass


class Zone:
    """A zone's offsets: explicit transitions, then the footer rule."""

    def __init__(self, name, transitions, types, footer):
        self.name = name
        self.transitions = transitions  # [(utc seconds, type index)], ascending
        self.types = types  # [(utc offset seconds, is dst)]
        self.footer = footer  # a PosixTz, or None when the file has no footer
        self.footer_text = footer.text if footer else ""

    def timeline(self, first_year, last_year):
        """Offsets from the start of first_year (UTC) to the end of last_year.

        Returns [(utc seconds, utc offset, is dst)] in ascending order; each entry holds until
        the next one. The first entry starts at or before the start of first_year.
        """
        start = _epoch(first_year, 1, 1)
        end = _epoch(last_year + 1, 1, 1)
        changes = [(t, self.types[i][0], self.types[i][1]) for t, i in self.transitions]
        initial = self.types[0] if self.types else (0, False)
        if self.footer is not None:
            after = changes[-1][0] if changes else None
            begin_year = _year_of(after) - 1 if after is not None else first_year - 1
            for change in self.footer.changes(min(begin_year, first_year - 1), last_year + 1):
                if after is None or change[0] > after:
                    changes.append(change)
            if not changes:
                initial = (self.footer.std_offset, False)
        result = [(start, initial[0], initial[1])]
        for change in changes:
            if change[0] <= start:
                result[0] = (start, change[1], change[2])
            elif change[0] < end:
                result.append(change)
        return _merge_equal(result)


class PosixTz:
    """A POSIX TZ string as zic writes it into a footer, with the version 3 extensions
    (transition times outside 0..24 hours)."""

    def __init__(self, text):
        self.text = text
        rest = text
        self.std_name, rest = _take_name(rest)
        std, rest = _take_time(rest)
        self.std_offset = -std
        self.dst_offset = None
        self.start = self.end = None
        if not rest:
            return
        if rest[0] != ",":
            self.dst_name, rest = _take_name(rest)
            if rest and rest[0] not in ",":
                dst, rest = _take_time(rest)
                self.dst_offset = -dst
            else:
                self.dst_offset = self.std_offset + 3600
        if not rest:
            raise TzifError(f"{text}: daylight time without a rule")
        if rest[0] != ",":
            raise TzifError(f"{text}: cannot read {rest!r}")
        self.start, rest = _take_rule(rest[1:])
        if not rest.startswith(","):
            raise TzifError(f"{text}: no end rule")
        self.end, rest = _take_rule(rest[1:])
        if rest:
            raise TzifError(f"{text}: trailing {rest!r}")

    @property
    def has_dst(self):
        return self.start is not None

    def changes(self, first_year, last_year):
        """Transitions the rule makes in the years given: [(utc seconds, offset, is dst)]."""
        if not self.has_dst:
            return []
        events = []
        for year in range(first_year, last_year + 1):
            start = self.start.local_seconds(year) - self.std_offset
            end = self.end.local_seconds(year) - self.dst_offset
            # At the same instant the end sorts first, so a rule that is daylight time all
            # year (end at 25:00 on December 31, start at 0:00 on January 1) stays in it.
            events.append((end, 0, (end, self.std_offset, False)))
            events.append((start, 1, (start, self.dst_offset, True)))
        events.sort(key=lambda e: (e[0], e[1]))
        return _merge_equal([e[2] for e in events])


class PosixRule:
    """One date rule of a POSIX TZ string with its time of day in seconds."""

    def __init__(self, kind, a, b, c, seconds):
        self.kind = kind  # "M" (month, week, weekday), "J" (1..365, no Feb 29) or "n" (0..365)
        self.month, self.week, self.weekday = (a, b, c) if kind == "M" else (None, None, None)
        self.day = a if kind != "M" else None
        self.seconds = seconds

    def date(self, year):
        if self.kind == "J":
            day = self.day + (1 if _is_leap(year) and self.day >= 60 else 0)
            return datetime.date(year, 1, 1) + datetime.timedelta(days=day - 1)
        if self.kind == "n":
            return datetime.date(year, 1, 1) + datetime.timedelta(days=self.day)
        first = datetime.date(year, self.month, 1)
        shift = (self.weekday - sunday_based(first)) % 7
        day = first + datetime.timedelta(days=shift + 7 * (self.week - 1))
        while day.month != self.month:
            day -= datetime.timedelta(days=7)
        return day

    def local_seconds(self, year):
        d = self.date(year)
        return _epoch(d.year, d.month, d.day) + self.seconds


def sunday_based(day):
    """Weekday with Sunday as 0, as the tz rules and the zone file count."""
    return (day.weekday() + 1) % 7


def read_zone(name, root=ZONEINFO):
    with open(f"{root}/{name}", "rb") as f:
        return parse_tzif(name, f.read())


def parse_tzif(name, data):
    magic, version, *counts = _HEADER.unpack_from(data, 0)
    if magic != b"TZif":
        raise TzifError(f"{name}: not a TZif file")
    if version in (b"\0", b"1"):
        raise TzifError(f"{name}: version 1 files carry no 64-bit data")
    # Skip the 32-bit block; its sizes are in the first header.
    offset = _HEADER.size + _block_size(counts, 4)
    magic, _, *counts = _HEADER.unpack_from(data, offset)
    if magic != b"TZif":
        raise TzifError(f"{name}: second header missing")
    isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt = counts
    pos = offset + _HEADER.size
    times = struct.unpack_from(f">{timecnt}q", data, pos)
    pos += 8 * timecnt
    indexes = data[pos : pos + timecnt]
    pos += timecnt
    types = []
    for _ in range(typecnt):
        utoff, isdst, _abbr = struct.unpack_from(">lBB", data, pos)
        types.append((utoff, bool(isdst)))
        pos += 6
    pos += charcnt + 12 * leapcnt + isstdcnt + isutcnt
    footer = data[pos:].decode("ascii")
    if not footer.startswith("\n"):
        raise TzifError(f"{name}: footer missing")
    text = footer[1:].split("\n", 1)[0]
    posix = PosixTz(text) if text else None
    return Zone(name, list(zip(times, indexes)), types, posix)


def offset_at(timeline, utc):
    """The offset of a timeline from Zone.timeline at a UTC instant inside it."""
    i = bisect.bisect_right(timeline, (utc, float("inf"), True)) - 1
    return timeline[max(i, 0)][1]


def read_links(path=f"{ZONEINFO}/tzdata.zi"):
    """Old zone names and the names they stand for, resolved to the end of each chain."""
    links = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            fields = line.split()
            if len(fields) == 3 and fields[0] == "L":
                links[fields[2]] = fields[1]
    resolved = {}
    for old in links:
        target, seen = links[old], {old}
        while target in links and target not in seen:
            seen.add(target)
            target = links[target]
        resolved[old] = target
    return resolved


def tzdata_version(path=f"{ZONEINFO}/tzdata.zi"):
    with open(path, encoding="ascii") as f:
        first = f.readline().split()
    return first[2] if len(first) == 3 and first[1] == "version" else "unknown"


def _block_size(counts, time_size):
    isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt = counts
    return (
        timecnt * time_size
        + timecnt
        + typecnt * 6
        + charcnt
        + leapcnt * (time_size + 4)
        + isstdcnt
        + isutcnt
    )


_NAME = re.compile(r"<[^>]*>|[A-Za-z]{3,}")
_TIME = re.compile(r"([+-]?)(\d{1,3})(?::(\d{1,2}))?(?::(\d{1,2}))?")
_MRULE = re.compile(r"M(\d{1,2})\.(\d)\.(\d)")
_JRULE = re.compile(r"J(\d{1,3})")
_NRULE = re.compile(r"(\d{1,3})")


def _take_name(text):
    m = _NAME.match(text)
    if not m:
        raise TzifError(f"cannot read a zone abbreviation in {text!r}")
    return m.group(0), text[m.end() :]


def _take_time(text):
    m = _TIME.match(text)
    if not m:
        raise TzifError(f"cannot read a time in {text!r}")
    sign, h, mi, s = m.groups()
    seconds = int(h) * 3600 + int(mi or 0) * 60 + int(s or 0)
    return (-seconds if sign == "-" else seconds), text[m.end() :]


def _take_rule(text):
    for pattern, kind in ((_MRULE, "M"), (_JRULE, "J"), (_NRULE, "n")):
        m = pattern.match(text)
        if m:
            break
    else:
        raise TzifError(f"cannot read a rule in {text!r}")
    numbers = [int(g) for g in m.groups()] + [None] * (3 - len(m.groups()))
    rest = text[m.end() :]
    seconds = 7200
    if rest.startswith("/"):
        seconds, rest = _take_time(rest[1:])
    return PosixRule(kind, *numbers, seconds), rest


def _merge_equal(changes):
    merged = []
    for change in changes:
        if merged and merged[-1][1:] == change[1:]:
            continue
        merged.append(change)
    return merged


def _epoch(year, month, day):
    return (datetime.date(year, month, day) - datetime.date(1970, 1, 1)).days * 86400


def _year_of(seconds):
    return (datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=seconds)).year


def _is_leap(year):
    return year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
