# SPDX-License-Identifier: GPL-3.0-or-later
"""The line format of TIME_ZON.DAT and the checks the program's loader makes on it.

One location per line, CR LF at the end:
    type,"country","name",hours,minutes,dst,so,sw,sm,sh,eo,ew,em,eh
The loader refuses a file whose lines are not in strictly ascending order of their sort key
(type, country padded to column 42, name padded to column 82, compared as bytes), so the
generator sorts by that key and checks everything the loader or the program relies on
before it writes a byte.

The companion file TIME_ZON.TZN names the tz database zone of each location, one line per
line of TIME_ZON.DAT in the same order, CR LF at the end:
    type,"country","name","zone"
The first three fields are those of the location's TIME_ZON.DAT line, byte for byte, so a
reader can pair the two files by line or by key. Like TIME_ZON.DAT it has no comment lines.
"""

import dataclasses

ENCODING = "latin-1"
MAX_TEXT = 40
COUNTRY_KEY_END = 42
KEY_LENGTH = 82
CITY, AREA_CODE = 1, 2


@dataclasses.dataclass(frozen=True)
class Location:
    type: int
    country: str
    name: str
    hours: int
    minutes: int
    dst: tuple  # the nine DST fields in file order

    def key(self):
        """The loader's sort key, as bytes."""
        head = (str(self.type) + self.country).encode(ENCODING).ljust(COUNTRY_KEY_END, b" ")
        return (head + self.name.encode(ENCODING)).ljust(KEY_LENGTH, b" ")

    def line(self):
        numbers = (self.hours, self.minutes) + tuple(self.dst)
        text = f'{self.type},"{self.country}","{self.name}",' + ",".join(map(str, numbers))
        return (text + "\r\n").encode(ENCODING)


def zone_line(loc, zone):
    """The location's line of TIME_ZON.TZN."""
    return f'{loc.type},"{loc.country}","{loc.name}","{zone}"\r\n'.encode(ENCODING)


def zone_name_problems(zone):
    """Why a zone name cannot stand in a TIME_ZON.TZN line."""
    return _text_problems(zone)


def problems(locations):
    """Every reason the program would refuse or misread these locations, in file order."""
    found = []
    seen = {}
    previous = None
    for n, loc in enumerate(locations, 1):
        where = f'line {n} ({loc.type},"{loc.country}","{loc.name}")'
        found += [f"{where}: {p}" for p in _field_problems(loc)]
        try:
            key = loc.key()
        except UnicodeEncodeError:
            continue  # already reported as a character outside Latin-1
        if previous is not None and key == previous:
            found.append(f"{where}: duplicate of the line before")
        elif previous is not None and key < previous:
            found.append(f"{where}: sorts before the line before")
        previous = key
        pair = (loc.name, loc.country)
        if pair in seen:
            found.append(f"{where}: same name and country as line {seen[pair]}")
        seen.setdefault(pair, n)
    return found


def write(path, locations):
    """Writes the file when nothing is wrong with it; returns the problems otherwise."""
    found = problems(locations)
    if found:
        return found
    with open(path, "wb") as f:
        for loc in locations:
            f.write(loc.line())
    return []


def write_zones(path, entries):
    """Writes TIME_ZON.TZN from (location, zone) pairs already checked with problems() and
    zone_name_problems()."""
    with open(path, "wb") as f:
        for loc, zone in entries:
            f.write(zone_line(loc, zone))


def parse(data):
    """Lines of a file as written by write(), for checks and tests."""
    result = []
    for raw in data.split(b"\r\n")[:-1]:
        text = raw.decode(ENCODING)
        kind, rest = text.split(",", 1)
        country, rest = _quoted(rest)
        name, rest = _quoted(rest[1:])
        numbers = [int(x) for x in rest[1:].split(",")]
        hours, minutes, *dst = numbers
        result.append(Location(int(kind), country, name, hours, minutes, tuple(dst)))
    return result


def _quoted(text):
    if not text.startswith('"'):
        raise ValueError(f"no opening quote in {text!r}")
    end = text.index('"', 1)
    return text[1:end], text[end + 1 :]


def _field_problems(loc):
    found = []
    if loc.type not in (CITY, AREA_CODE):
        found.append(f"type {loc.type} is not a city (1) or an area code (2)")
    if not loc.name:
        found.append("empty name")
    for label, text in (("country", loc.country), ("name", loc.name)):
        found += [f"{label}: {p}" for p in _text_problems(text)]
    found += _zone_problems(loc.hours, loc.minutes, loc.dst)
    return found


def _text_problems(text):
    found = []
    if len(text) > MAX_TEXT:
        found.append(f"{len(text)} characters, more than {MAX_TEXT}")
    if '"' in text:
        found.append("a double quote cannot stand inside a text")
    if "," in text:
        found.append("a comma inside a text would split the field for simpler readers")
    if text != text.strip():
        found.append("leading or trailing blanks")
    for c in text:
        if ord(c) > 255:
            found.append(f"character U+{ord(c):04X} is outside Latin-1")
        elif ord(c) < 32 or 127 <= ord(c) < 160:
            found.append(f"control character {ord(c):#04x}")
    return found


def _zone_problems(hours, minutes, dst):
    found = []
    if not -12 <= hours <= 14:
        found.append(f"offset of {hours} hours is outside -12..14")
    if minutes not in (0, 30, -30):
        found.append(f"offset minutes {minutes} are not 0, 30 or -30")
    elif minutes == 30 and hours <= 0 or minutes == -30 and hours > 0:
        found.append(f"half hour {minutes} has the wrong sign for {hours} hours")
    if len(dst) != 9:
        return found + [f"{len(dst)} daylight-saving fields instead of 9"]
    ranges = (
        ("DST flag", 0, 1),
        ("start ordinal", 0, 4),
        ("start weekday", 0, 6),
        ("start month", 0, 11),
        ("start hour", 0, 23),
        ("end ordinal", 0, 4),
        ("end weekday", 0, 6),
        ("end month", 0, 11),
        ("end hour", 0, 23),
    )
    for value, (label, lo, hi) in zip(dst, ranges):
        if not lo <= value <= hi:
            found.append(f"{label} {value} is outside {lo}..{hi}")
    return found
