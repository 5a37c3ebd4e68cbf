# SPDX-License-Identifier: GPL-3.0-or-later
"""The zone rule a TIME_ZON.DAT line can hold, and the choice of the one nearest a real zone.

A line holds a standard offset in whole hours plus an optional half hour, and optionally one
hour of daylight saving that starts on an ordinal weekday of a month at a whole hour of
standard time and ends on another at a whole hour of daylight time. The program decides
whether a local standard time t is in daylight time from the two switch instants of t's own
year: inside (start, end) when start < end, else outside [end, start]. The simulation here
follows that decision exactly, so what it predicts is what the clock will show.
"""

import bisect
import calendar
import dataclasses
import datetime

import tzif

HOUR = 3600
HALF_HOUR = 1800
ORDINAL_NAMES = ("1st", "2nd", "3rd", "4th", "last")
LAST = 4
WEEKDAY_NAMES = ("Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday")
MONTH_NAMES = tuple(calendar.month_name[1:])
# The furthest offsets the world uses: Baker Island at -12, the Line Islands at +14.
MIN_HOURS, MAX_HOURS = -12, 14
# How far from a real switch time a replacement is looked for.
SEARCH_HOURS = 3


@dataclasses.dataclass(frozen=True, order=True)
class Switch:
    """A switch day and hour as the file counts them: ordinal 0..3 or LAST, weekday 0 =
    Sunday, month 0 = January, hour 0..23."""

    ordinal: int
    weekday: int
    month: int
    hour: int

    def text(self):
        return (
            f"{ORDINAL_NAMES[self.ordinal]} {WEEKDAY_NAMES[self.weekday]} of "
            f"{MONTH_NAMES[self.month]} at {self.hour:02d}:00"
        )


@dataclasses.dataclass(frozen=True, order=True)
class FileRule:
    """Standard offset in seconds east of GMT (a multiple of 30 minutes) and, when the zone
    keeps daylight time, its start (standard time) and end (daylight time)."""

    std: int
    start: Switch = None
    end: Switch = None

    @property
    def has_dst(self):
        return self.start is not None

    def offset_fields(self):
        """Offset hours and minutes: the half hour carries the sign of the offset."""
        sign = -1 if self.std < 0 else 1
        hours, rest = divmod(abs(self.std), HOUR)
        return sign * hours, sign * (rest // 60)

    def dst_fields(self):
        """The nine DST fields; a zone without daylight time keeps the default rule."""
        if not self.has_dst:
            return (0, 0, 0, 3, 2, LAST, 0, 9, 2)
        s, e = self.start, self.end
        return (1, s.ordinal, s.weekday, s.month, s.hour, e.ordinal, e.weekday, e.month, e.hour)

    def text(self):
        base = f"GMT{format_offset(self.std)}"
        if not self.has_dst:
            return base
        return f"{base}, daylight time from the {self.start.text()} to the {self.end.text()}"

    def timeline(self, first_year, last_year):
        """[(utc seconds, offset, is dst)] as the program computes it for these years."""
        events = []
        for year in range(first_year - 1, last_year + 2):
            for a, b in self._dst_periods(year):
                events.append((a - self.std, 1))
                events.append((b - self.std, 0))
        events.sort()
        start = _epoch(first_year, 1, 1)
        end = _epoch(last_year + 1, 1, 1)
        result = [(start, self.std, False)]
        for t, on in events:
            entry = (t, self.std + HOUR, True) if on else (t, self.std, False)
            if t <= start:
                result[0] = (start,) + entry[1:]
            elif t < end:
                result.append(entry)
        return _merge_equal(result)

    def _dst_periods(self, year):
        """Daylight periods of one year in local standard seconds, clipped to the year."""
        if not self.has_dst:
            return []
        y0, y1 = _epoch(year, 1, 1), _epoch(year + 1, 1, 1)
        s = transition(year, self.start)
        e = transition(year, self.end) - HOUR
        periods = [(s, e)] if s < e else [(y0, e), (s, y1)]
        clipped = [(max(a, y0), min(b, y1)) for a, b in periods]
        return [(a, b) for a, b in clipped if a < b]


@dataclasses.dataclass
class Fit:
    zone: str
    tz_rule: str  # the zone's POSIX footer
    rule: FileRule
    error: int  # integral of |shown - real offset| over the years checked
    pieces: list  # the years checked as measure() cuts them

    @property
    def exact(self):
        return self.error == 0

    def describe(self):
        return describe_pieces(self.pieces)


def transition(year, switch):
    """The switch instant of a year as local seconds, computed as the program does."""
    if switch.ordinal == LAST:
        next_month = datetime.date(year + (switch.month == 11), (switch.month + 1) % 12 + 1, 1)
        day = next_month - datetime.timedelta(days=1)
        while tzif.sunday_based(day) != switch.weekday:
            day -= datetime.timedelta(days=1)
    else:
        first = datetime.date(year, switch.month + 1, 1)
        w = tzif.sunday_based(first)
        days = switch.ordinal * 7 + switch.weekday - w + (7 if w > switch.weekday else 0)
        day = first + datetime.timedelta(days=days)
    return _epoch(day.year, day.month, day.day) + switch.hour * HOUR


def format_offset(seconds):
    sign = "-" if seconds < 0 else "+"
    hours, rest = divmod(abs(seconds), HOUR)
    return f"{sign}{hours}:{rest // 60:02d}"


def fit_zone(zone, first_year, last_year):
    """The representable rule nearest the zone's real offsets over the years given.

    The zone's own footer rule is tried first; when the file cannot hold it, or it is not
    what is really in force in those years, the nearest rule is searched among switch days
    and hours around the real transitions. "Nearest" is the least integral of the offset
    error over the years.
    """
    real = zone.timeline(first_year, last_year)
    window = (_epoch(first_year, 1, 1), _epoch(last_year + 1, 1, 1))
    offsets = tuple(sorted({o for _, o, _ in real}))

    def score(rule):
        return measure(real, rule.timeline(first_year, last_year), window)

    footer_rule, footer_switches = rule_from_footer(zone.footer)
    if footer_rule is not None:
        error, pieces = score(footer_rule)
        if error == 0:
            return Fit(zone.name, zone.footer_text, footer_rule, 0, pieces)

    best = None
    for std in _standard_candidates(offsets):
        candidates = [FileRule(std)]
        starts, ends = _switch_candidates(real, window, std, footer_switches)
        if starts and ends:
            candidates.append(_descend(score, std, starts, ends, footer_switches))
        for rule in candidates:
            error, pieces = score(rule)
            key = (error, _preference(rule, footer_rule, footer_switches))
            if best is None or key < best[0]:
                best = (key, rule, pieces)
    (error, _), rule, pieces = best
    return Fit(zone.name, zone.footer_text, rule, error, pieces)


def rule_from_footer(footer):
    """The footer as a file rule when the file can hold it exactly, and the switches it
    suggests (hours clamped into 0..23) for the search otherwise."""
    if footer is None:
        return None, set()
    std, dst = footer.std_offset, footer.dst_offset
    start, end = footer.start, footer.end
    if footer.has_dst and dst - std == -HOUR:
        # Negative daylight saving (Dublin's winter time) is the same wall clock as a
        # positive one from the other offset.
        std, dst, start, end = dst, std, end, start
    switches = set()
    for rule in (start, end):
        if rule is not None and rule.kind == "M":
            hour = min(max(rule.seconds // HOUR, 0), 23)
            switches.add(Switch(rule.week - 1, rule.weekday, rule.month - 1, hour))
    if std % HALF_HOUR or not MIN_HOURS * HOUR <= std <= MAX_HOURS * HOUR:
        return None, switches
    if not footer.has_dst:
        return FileRule(std), switches
    if dst - std != HOUR:
        return None, switches
    exact = [_exact_switch(r) for r in (start, end)]
    if None in exact:
        return None, switches
    return FileRule(std, exact[0], exact[1]), switches


def measure(real, shown, window):
    """Integral of |shown - real| over the window, and the window cut into stretches of one
    real offset and one error: [(utc start, utc end, real offset, real is dst, shown - real)]."""
    times = sorted({t for t, _, _ in real} | {t for t, _, _ in shown} | {window[0]})
    times = [t for t in times if window[0] <= t < window[1]] + [window[1]]
    error, pieces = 0, []
    for a, b in zip(times, times[1:]):
        offset, dst = _entry_at(real, a)
        diff = tzif.offset_at(shown, a) - offset
        error += abs(diff) * (b - a)
        if pieces and pieces[-1][1] == a and pieces[-1][2:] == (offset, dst, diff):
            pieces[-1] = (pieces[-1][0], b, offset, dst, diff)
        else:
            pieces.append((a, b, offset, dst, diff))
    return error, pieces


def describe_pieces(pieces):
    """A short text of how far the shown time is off, for the generator's report.

    When the shown offset is off by the same amount whenever the zone is at a given offset,
    the text says so per offset ("+5:45 shown as +6:00 (15 minutes ahead)"); otherwise the
    error comes from switch days or hours and the text lists when it occurs."""
    episodes = [p for p in pieces if p[4] != 0]
    if not episodes:
        return "exact"
    by_offset = _per_offset(pieces)
    if by_offset is not None:
        return "; ".join(by_offset)
    groups = {}
    for a, b, _, _, diff in episodes:
        day = _date(a)
        groups.setdefault((day.month, diff), []).append((day.year, b - a))
    parts = []
    for (month, diff), items in sorted(groups.items()):
        by_length = {}
        for year, length in items:
            by_length.setdefault(length, []).append(year)
        # The most frequent length first; the others with the years they occur in.
        lengths = sorted(by_length, key=lambda d: (-len(by_length[d]), d))
        text = _duration(lengths[0])
        if len(lengths) > 1:
            others = ", ".join(f"{_duration(d)} in {_years(by_length[d])}" for d in lengths[1:])
            text += f" ({others})"
        years = sorted({y for y, _ in items})
        parts.append(
            f"{_amount(diff)} {_direction(diff)} for {text} "
            f"starting in {MONTH_NAMES[month - 1]} {_years(years)}"
        )
    return "; ".join(parts)


def _per_offset(pieces):
    """Per real offset, when each is always shown off by the same amount; else None."""
    diffs = {}
    for _, _, offset, dst, diff in pieces:
        diffs.setdefault((offset, dst), set()).add(diff)
    if any(len(d) != 1 for d in diffs.values()):
        return None
    parts = []
    for (offset, dst), (diff,) in sorted(diffs.items()):
        if diff == 0:
            continue
        name = format_offset(offset) + (" (daylight time)" if dst else "")
        parts.append(
            f"{name} shown as {format_offset(offset + diff)} ({_amount(diff)} {_direction(diff)})"
        )
    return parts


def _direction(diff):
    return "ahead" if diff > 0 else "behind"


def _entry_at(timeline, utc):
    i = bisect.bisect_right(timeline, (utc, float("inf"), True)) - 1
    return timeline[max(i, 0)][1:]


def _exact_switch(rule):
    if rule.kind != "M" or rule.seconds % HOUR or not 0 <= rule.seconds < 24 * HOUR:
        return None
    return Switch(rule.week - 1, rule.weekday, rule.month - 1, rule.seconds // HOUR)


def _standard_candidates(offsets):
    found = set()
    for offset in offsets:
        for base in (offset, offset - HOUR):
            low = base - base % HALF_HOUR
            for std in (low, low + HALF_HOUR) if base % HALF_HOUR else (base,):
                if MIN_HOURS * HOUR <= std <= MAX_HOURS * HOUR:
                    found.add(std)
    return sorted(found)


def _switch_candidates(real, window, std, footer_switches):
    """Switches near each real transition of the window, as seen with this standard
    offset: starts in standard time, ends in daylight time."""
    starts, ends = set(), set()
    for (_, before, _), (t, after, _) in zip(real, real[1:]):
        if not window[0] <= t < window[1]:
            continue
        if after > before:
            starts |= _switches_near(t + std)
        elif after < before:
            ends |= _switches_near(t + std + HOUR)
    if starts and ends:
        starts |= footer_switches
        ends |= footer_switches
    return sorted(starts), sorted(ends)


def _switches_near(local):
    switches = set()
    for k in range(-SEARCH_HOURS, SEARCH_HOURS + 1):
        t = local + k * HOUR
        for hour_start in {t - t % HOUR, t - t % HOUR + (HOUR if t % HOUR else 0)}:
            switches |= _switches_at(hour_start)
    return switches


def _switches_at(local):
    moment = _datetime(local)
    day = moment.date()
    weekday = tzif.sunday_based(day)
    switches = set()
    if day.day <= 28:
        switches.add(Switch((day.day - 1) // 7, weekday, day.month - 1, moment.hour))
    if day.day > calendar.monthrange(day.year, day.month)[1] - 7:
        switches.add(Switch(LAST, weekday, day.month - 1, moment.hour))
    return switches


def _descend(score, std, starts, ends, footer_switches):
    """The best start for the current end, then the best end for that start, until neither
    changes. Switch errors at the start and at the end hardly interact, so this finds what
    trying every pair would, at a fraction of the cost."""

    def best(options, rule_with):
        def key(switch):
            return (score(rule_with(switch))[0], switch not in footer_switches, switch)

        return min(options, key=key)

    start, end = starts[0], ends[0]
    for _ in range(4):
        new_start = best(starts, lambda switch: FileRule(std, switch, end))
        new_end = best(ends, lambda switch: FileRule(std, new_start, switch))
        if (new_start, new_end) == (start, end):
            break
        start, end = new_start, new_end
    return FileRule(std, start, end)


def _preference(rule, footer_rule, footer_switches):
    """Among rules equally near: the footer's own, then fewer moving parts, then the one
    ahead of real time (a clock that is early makes nobody miss an appointment)."""
    return (
        rule != footer_rule,
        rule.has_dst,
        rule.has_dst and (rule.start not in footer_switches) + (rule.end not in footer_switches),
        -rule.std,
        rule,
    )


def _amount(seconds):
    seconds = abs(seconds)
    if seconds % HOUR == 0:
        hours = seconds // HOUR
        return f"{hours} hour{'s' if hours != 1 else ''}"
    return f"{seconds // 60} minutes"


def _duration(seconds):
    if seconds >= 2 * 86400:
        return f"{round(seconds / 86400)} days"
    hours = round(seconds / HOUR, 1)
    if hours == int(hours):
        hours = int(hours)
    return f"{hours} hour{'s' if hours != 1 else ''}"


def _years(years):
    runs = []
    for y in years:
        if runs and runs[-1][1] == y - 1:
            runs[-1][1] = y
        else:
            runs.append([y, y])
    return ", ".join(str(a) if a == b else f"{a}-{b}" for a, b in runs)


def _merge_equal(changes):
    merged = []
    for change in changes:
        if merged and merged[-1][1:] == change[1:]:
            continue
        merged.append(change)
    return merged


def _epoch(year, month, day):
    return (datetime.date(year, month, day) - datetime.date(1970, 1, 1)).days * 86400


def _datetime(seconds):
    return datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=seconds)


def _date(seconds):
    return _datetime(seconds).date()
