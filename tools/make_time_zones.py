#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes data/TIME_ZON.DAT: the world's capitals and large cities by country, and the North
American area codes by state, province or territory, each with its zone rule.

Inputs (Debian packages, see data/README): GeoNames cities15000 from libtimezonemap-data, the
compiled tz database from tzdata, country and subdivision names from iso-codes, area codes
and their zones from libphonenumber8-java; plus the hand-kept tables beside this script.

Besides the data file it writes data/TIME_ZON.TZN (the tz database zone of every location,
shipped beside it), data/TIME_ZON.zones (one location per zone, for the tests) and the
generated lists of data/README. Nothing is written when any check fails.
"""

import argparse
import collections
import dataclasses
import json
import os
import sys

import nanp
import textnames
import tzif
import zonefit
import zonelines

# The years checked: from the first whole year after this data was made to the last year the
# program's 32-bit clock can show.
FIRST_YEAR, LAST_YEAR = 2027, 2037
MIN_TZDATA = "2026f"
MIN_POPULATION = 100000
# GeoNames populated places that are cities in their own right; sections of a city (PPLX),
# historical (PPLH), abandoned (PPLQ) and destroyed (PPLW) places and populated sites (PPLS)
# are not.
CITY_FEATURES = {"PPL", "PPLA", "PPLA2", "PPLA3", "PPLA4", "PPLA5", "PPLC", "PPLG", "PPLL", "PPLR"}
# The clock's default places: each of these names must belong to exactly one location.
DEFAULT_PLACES = {("New York", "US"), ("London", "GB"), ("San Francisco", "US")}

GEONAMES_DIR = "/usr/share/libtimezonemap/ui"
ISO_DIR = "/usr/share/iso-codes/json"
TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
REPO_DIR = os.path.dirname(TOOLS_DIR)

README_BEGIN = "----- Lists written by tools/make_time_zones.py (do not edit by hand) -----"
README_END = "----- End of the lists written by tools/make_time_zones.py -----"

# Where the phone-number data names a state its own way.
REGION_ALIASES = {"Washington State": "WA", "Washington D.C.": "DC"}


class GenerationError(Exception):
    pass


@dataclasses.dataclass
class Place:
    geonameid: str
    name: str
    country_code: str
    admin1: str
    population: int
    zone: str
    capital: bool


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output-dir", default=os.path.join(REPO_DIR, "data"))
    parser.add_argument("--quiet", action="store_true", help="print problems only")
    args = parser.parse_args(argv)
    try:
        generate(args.output_dir, args.quiet)
    except (GenerationError, textnames.TextError, tzif.TzifError, nanp.JarError) as e:
        print(f"make_time_zones: {e}", file=sys.stderr)
        print("make_time_zones: nothing written", file=sys.stderr)
        return 1
    return 0


def generate(output_dir, quiet):
    version = tzif.tzdata_version()
    if _tz_version_key(version) < _tz_version_key(MIN_TZDATA):
        raise GenerationError(
            f"tzdata {version} is older than {MIN_TZDATA}; run scripts/install-data-tools-deps.sh"
        )
    names = Names()
    links = tzif.read_links()
    fits = ZoneFits(links, read_zone_countries())

    cities = city_locations(read_places(names), names, fits)
    areas = area_code_locations(nanp.AreaCodeSource(), names, fits)
    entries = sorted(cities + areas, key=lambda e: e[0].key())
    locations = [loc for loc, _ in entries]
    found = zonelines.problems(locations)
    found += default_place_problems(locations)
    found += zone_name_problems(entries, fits)
    if found:
        raise GenerationError("the file would not load:\n  " + "\n  ".join(found))

    readme_path = os.path.join(output_dir, "README")
    readme = readme_text(readme_path, cities, areas, fits, version, read_area_choices())
    inexact = fits.inexact()
    if not quiet:
        for fit in inexact:
            print(f"not exact: {fit.zone}: {fit.describe()}")
        print(
            f"{len(cities)} cities, {len(areas)} area codes, {len(fits.used())} zones "
            f"({len(inexact)} not exact), tzdata {version}"
        )

    os.makedirs(output_dir, exist_ok=True)
    zonelines.write(os.path.join(output_dir, "TIME_ZON.DAT"), locations)
    zonelines.write_zones(
        os.path.join(output_dir, "TIME_ZON.TZN"),
        [(loc, fits.current_name(zone)) for loc, zone in entries],
    )
    write_zone_list(os.path.join(output_dir, "TIME_ZON.zones"), entries, fits, version)
    with open(readme_path, "w", encoding="utf-8") as f:
        f.write(readme)


# ---- Cities ---------------------------------------------------------------------------------


def read_places(names):
    """GeoNames' capitals and cities over the population limit, and the places added by hand
    for countries whose seat of government GeoNames does not list as a city."""
    places = [
        Place(f"added:{code}:{name}", name, code, "", 0, zone, True)
        for code, zone, name in names.added_places
    ]
    with open(os.path.join(GEONAMES_DIR, "cities15000.txt"), encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            feature, population = fields[7], int(fields[14] or 0)
            if feature not in CITY_FEATURES:
                continue
            if feature != "PPLC" and population <= MIN_POPULATION:
                continue
            places.append(
                Place(fields[0], fields[1], fields[8], fields[10], population, fields[17],
                      feature == "PPLC")
            )
    return places


def city_locations(places, names, fits):
    """Cities with names unique within their country: where several places share a name, each
    gets its region as a qualifier, except the clock's default places."""
    for place in places:
        place.name = names.place_name(place)
    groups = collections.defaultdict(list)
    for place in merge_same_place(places):
        groups[(place.name, place.country_code)].append(place)
    default_names = {name for name, _ in DEFAULT_PLACES}
    result = []
    for (name, code), group in sorted(groups.items()):
        for place in group:
            unique = len(group) == 1 and name not in default_names
            shown = name if unique or (name, code) in DEFAULT_PLACES else qualified(place, names)
            result.append(located(zonelines.CITY, names.country(code), shown, place.zone, fits))
    clashes = collections.Counter((loc.name, loc.country) for loc, _ in result)
    duplicates = sorted(pair for pair, count in clashes.items() if count > 1)
    if duplicates:
        raise GenerationError(
            "qualified names still clash; add a region name to tools/place_names.txt: "
            + "; ".join(f"{n} ({c})" for n, c in duplicates)
        )
    return result


def qualified(place, names):
    return f"{place.name} ({names.region(place)})"


def located(kind, country, name, zone, fits):
    """A location of the file with the rule fitted to its zone, and the zone."""
    rule = fits.rule(zone)
    hours, minutes = rule.offset_fields()
    return zonelines.Location(kind, country, name, hours, minutes, rule.dst_fields()), zone


def merge_same_place(places):
    """Entries of one name in the same region and zone are the same city for a clock (GeoNames
    lists some cities twice, as the city and as its district); a capital, else the most
    populous, stays."""

    def rank(place):
        return (place.capital, place.population)

    best = {}
    for place in places:
        key = (place.name, place.country_code, place.admin1, place.zone)
        if key not in best or rank(place) > rank(best[key]):
            best[key] = place
    return list(best.values())


def zone_name_problems(entries, fits):
    found = []
    for zone in sorted({fits.current_name(zone) for _, zone in entries}):
        found += [f"zone {zone}: {p}" for p in zonelines.zone_name_problems(zone)]
        if not tzif_exists(zone):
            found.append(f"zone {zone} is not in {tzif.ZONEINFO}")
    return found


def default_place_problems(locations):
    found = []
    for name, _ in sorted(DEFAULT_PLACES):
        count = sum(1 for loc in locations if loc.name == name)
        if count != 1:
            found.append(f"{count} locations are named {name!r}; the default clock needs one")
    return found


# ---- Area codes -----------------------------------------------------------------------------


def area_code_locations(source, names, fits):
    choices = read_area_choices()
    zone_countries = read_zone_countries()
    result, found = [], []
    for code in source.area_codes():
        try:
            listings = area_code_listings(code, source, names, choices, zone_countries)
        except GenerationError as e:
            found.append(str(e))
            continue
        for region, zone in listings:
            country = names.area_region(region)
            if not tzif_exists(zone):
                found.append(f"area code {code}: no zone {zone}")
            elif country is None:
                found.append(f"area code {code}: no name for region {region!r}")
            else:
                result.append(located(zonelines.AREA_CODE, country, code, zone, fits))
    for code in choices:
        if code not in source.area_codes():
            found.append(f"tools/areacode_zones.txt: area code {code} is not in the data")
    if found:
        raise GenerationError("\n  ".join(["area codes:"] + found))
    return result


def area_code_listings(code, source, names, choices, zone_countries):
    """The (region, zone) pairs an area code is listed under: the hand-kept choice, else the
    data's regions with the data's one zone. Codes outside the US and Canada go under the
    country of their zone."""
    zones = source.zones.get(code, [])
    regions = area_regions(source.places.get(code, []), names)
    if code in choices:
        chosen = [(region, zone) for region, zone, _ in choices[code]]
        if len(zones) == 1 and chosen == [(region, zones[0]) for region in regions]:
            raise GenerationError(f"area code {code}: tools/areacode_zones.txt repeats the data")
        return chosen
    if len(zones) != 1:
        raise GenerationError(
            f"area code {code} lies in {' and '.join(zones) or 'no zone'}: "
            "choose one in tools/areacode_zones.txt"
        )
    return [(region, zones[0]) for region in regions or [zone_countries.get(zones[0], "")]]


def area_regions(descriptions, names):
    """The states or provinces an area code serves, from its place descriptions: its own
    entry when that names a region, else the region most of its places name."""
    if descriptions:
        regions = [names.region_code(part) for part in descriptions[0].split("/")]
        if all(regions):
            return regions
    suffixes = collections.Counter()
    for text in descriptions:
        head, _, code = text.rpartition(", ")
        if head and names.is_region_code(code):
            suffixes[code] += 1
    if suffixes:
        return [sorted(suffixes.items(), key=lambda kv: (-kv[1], kv[0]))[0][0]]
    return []


def read_area_choices():
    choices = collections.OrderedDict()
    for fields in _table_lines("areacode_zones.txt", 4):
        code, region, zone, why = fields
        choices.setdefault(code, []).append((region, zone, why))
    return choices


def read_zone_countries():
    countries = {}
    with open(os.path.join(tzif.ZONEINFO, "zone.tab"), encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                fields = line.split("\t")
                countries[fields[2].strip()] = fields[0]
    return countries


def tzif_exists(zone):
    return os.path.isfile(os.path.join(tzif.ZONEINFO, zone))


# ---- Names ----------------------------------------------------------------------------------


class Names:
    """Country, region and place names in the form the file shows them."""

    def __init__(self):
        with open(os.path.join(ISO_DIR, "iso_3166-1.json"), encoding="utf-8") as f:
            iso = json.load(f)["3166-1"]
        self.countries = {c["alpha_2"]: c.get("common_name") or c["name"] for c in iso}
        for code, name in self._geonames_countries().items():
            self.countries.setdefault(code, name)
        for code, name in _table_lines("country_names.txt", 2):
            self.countries[code] = name
        with open(os.path.join(ISO_DIR, "iso_3166-2.json"), encoding="utf-8") as f:
            subdivisions = json.load(f)["3166-2"]
        # US states and DC, Canadian provinces and territories; the US outlying areas go by
        # their country names.
        self.regions = {
            s["code"][3:]: s["name"]
            for s in subdivisions
            if s["code"][:3] in ("US-", "CA-") and s["type"] != "Outlying area"
        }
        self.region_codes = {name: code for code, name in self.regions.items()}
        self.region_codes.update(REGION_ALIASES)
        self.admin1 = self._admin1()
        self.place_overrides, self.region_overrides, self.added_places = {}, {}, []
        for kind, key, text in _table_lines("place_names.txt", 3):
            if kind == "name":
                self.place_overrides[key] = text
            elif kind == "region":
                self.region_overrides[key] = text
            elif kind == "add":
                zone, _, name = text.partition(" ")
                self.added_places.append((key, zone, name.strip()))
            else:
                raise GenerationError(f"tools/place_names.txt: unknown kind {kind!r}")

    def country(self, code):
        if code not in self.countries:
            raise GenerationError(f"no name for country code {code}")
        return textnames.to_latin1(self.countries[code])

    def place_name(self, place):
        return textnames.to_latin1(self.place_overrides.get(place.geonameid, place.name))

    def region(self, place):
        key = f"{place.country_code}.{place.admin1}"
        if key in self.region_overrides:
            return self.region_overrides[key]
        if key not in self.admin1:
            raise GenerationError(
                f"{place.name} ({place.country_code}, GeoNames {place.geonameid}) has no region "
                "to tell it from a namesake: add one to tools/place_names.txt"
            )
        return textnames.to_latin1(self.admin1[key])

    def region_code(self, text):
        return self.region_codes.get(text)

    def is_region_code(self, code):
        return code in self.regions or code in self.countries

    def area_region(self, code):
        if code in self.regions:
            return textnames.to_latin1(self.regions[code])
        if code in self.countries:
            return self.country(code)
        return None

    @staticmethod
    def _geonames_countries():
        countries = {}
        with open(os.path.join(GEONAMES_DIR, "countryInfo.txt"), encoding="utf-8") as f:
            for line in f:
                if not line.startswith("#"):
                    fields = line.split("\t")
                    countries[fields[0]] = fields[4]
        return countries

    @staticmethod
    def _admin1():
        admin1 = {}
        with open(os.path.join(GEONAMES_DIR, "admin1Codes.txt"), encoding="utf-8") as f:
            for line in f:
                fields = line.rstrip("\n").split("\t")
                admin1[fields[0]] = fields[1]
        return admin1


# ---- Zones ----------------------------------------------------------------------------------


class ZoneFits:
    """The file rule of each zone, computed once per zone under its current name."""

    def __init__(self, links, country_zones):
        self.links = links
        self.country_zones = country_zones
        self.fits = {}

    def canonical(self, zone):
        return self.links.get(zone, zone)

    def current_name(self, zone):
        """The name a place's zone goes by: its own where zone.tab lists it for a country
        (Europe/Bratislava), else the zone an old name links to (Europe/Kiev is Europe/Kyiv):
        old names are the first a system's zone data leaves out."""
        return zone if zone in self.country_zones else self.canonical(zone)

    def fit(self, zone):
        name = self.canonical(zone)
        if name not in self.fits:
            self.fits[name] = zonefit.fit_zone(tzif.read_zone(name), FIRST_YEAR, LAST_YEAR)
        return self.fits[name]

    def rule(self, zone):
        return self.fit(zone).rule

    def used(self):
        return [self.fits[name] for name in sorted(self.fits)]

    def inexact(self):
        return [fit for fit in self.used() if not fit.exact]


def write_zone_list(path, entries, fits, version):
    """One location per zone, the first in file order, with whether its rule is exact."""
    seen = set()
    lines = [
        f"# One location per zone of TIME_ZON.DAT (tzdata {version}), written by "
        "tools/make_time_zones.py for the tests.\n",
        "# zone, exact or approx, type, country, name; fields separated by tabs; Latin-1.\n",
    ]
    for loc, zone in entries:
        name = fits.canonical(zone)
        if name in seen:
            continue
        seen.add(name)
        exact = "exact" if fits.fit(zone).exact else "approx"
        lines.append(f"{name}\t{exact}\t{loc.type}\t{loc.country}\t{loc.name}\n")
    with open(path, "wb") as f:
        f.write("".join(lines).encode(zonelines.ENCODING))


def readme_text(path, cities, areas, fits, version, choices):
    """data/README with its generated part replaced and the hand-written rest kept."""
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except OSError as e:
        raise GenerationError(f"cannot read {path}: {e.strerror}") from e
    if README_BEGIN not in text or README_END not in text:
        raise GenerationError(f"{path} lacks the marker lines of its generated part")
    head, rest = text.split(README_BEGIN, 1)
    _, tail = rest.split(README_END, 1)
    inexact = fits.inexact()
    body = [
        "",
        f"TIME_ZON.DAT holds {len(cities)} cities and {len(areas)} area codes in "
        f"{len(fits.used())} zones of tzdata {version}, checked against the tz database "
        f"for {FIRST_YEAR}-{LAST_YEAR}.",
        "",
        f"Zones TIME_ZON.DAT cannot hold exactly ({len(inexact)}): the rule written there "
        "instead, and how far a clock that follows only that rule is off (TIME_ZON.TZN names "
        "their zones):",
        "",
    ]
    for fit in inexact:
        body += [
            f"  {fit.zone} (tz rule {fit.tz_rule})",
            f"    written as {fit.rule.text()}",
            f"    {fit.describe()}",
        ]
    body += [
        "",
        "Area codes whose zone or region was chosen by hand (tools/areacode_zones.txt):",
        "",
    ]
    for code, entries in choices.items():
        for region, zone, why in entries:
            body.append(f"  {code} {region:2} {zone:20} {why}")
    body.append("")
    return head + README_BEGIN + "\n".join(body) + "\n" + README_END + tail


# ---- Helpers --------------------------------------------------------------------------------


def _table_lines(name, fields):
    """The fields of a hand-kept table: blank-separated, the last one taking the rest."""
    rows = []
    with open(os.path.join(TOOLS_DIR, name), encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            parts = line.split(None, fields - 1)
            if len(parts) != fields:
                raise GenerationError(f"tools/{name}:{n}: expected {fields} fields")
            rows.append(parts)
    return rows


def _tz_version_key(version):
    return (version[:4], version[4:])


if __name__ == "__main__":
    sys.exit(main())
