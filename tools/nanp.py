# SPDX-License-Identifier: GPL-3.0-or-later
"""North American area codes from libphonenumber's geocoder jar (Debian libphonenumber8-java).

The jar keeps its prefix tables as serialized Java objects (PhonePrefixMap.writeExternal):
block data holding a flag for the storage kind, then either a plain list of (prefix,
description) pairs or a pooled form with a description table and fixed-width indexes.
"""

import re
import struct
import zipfile

GEOCODER_JAR = "/usr/share/java/geocoder.jar"
_ZONES = "com/google/i18n/phonenumbers/timezones/data/map_data"
_GEOCODING = re.compile(r"com/google/i18n/phonenumbers/geocoding/data/1(\d{3})_en$")


class JarError(ValueError):
    pass


class AreaCodeSource:
    """Per area code: descriptions of its places (first the area code's own entry, when the
    data has one) and the zones of its number ranges."""

    def __init__(self, path=GEOCODER_JAR):
        with zipfile.ZipFile(path) as jar:
            self.zones = self._zones(prefix_map(jar.read(_ZONES)))
            self.places = {}
            for name in sorted(jar.namelist()):
                m = _GEOCODING.search(name)
                if m:
                    self.places[m.group(1)] = self._places(m.group(1), prefix_map(jar.read(name)))

    def area_codes(self):
        """Every area code with a place or a zone of its own: the geographic ones. Codes
        without either (toll-free, personal, non-geographic services) fall to the country
        entry of the zone table and are left out."""
        return sorted(set(self.places) | set(self.zones))

    @staticmethod
    def _zones(table):
        zones = {}
        for prefix, text in table.items():
            digits = str(prefix)
            if digits.startswith("1") and len(digits) >= 4:
                zones.setdefault(digits[1:4], set()).update(text.split("&"))
        return {code: sorted(z) for code, z in zones.items()}

    @staticmethod
    def _places(code, table):
        own = table.get(int("1" + code))
        rest = [table[p] for p in sorted(table) if p != int("1" + code)]
        return ([own] if own else []) + rest


def prefix_map(raw):
    """{prefix: description} from one serialized PhonePrefixMap."""
    reader = _Reader(_block_data(raw))
    table = {}
    if reader.byte():
        prefix_size = reader.int()
        index_size = reader.int()
        for _ in range(reader.int()):
            reader.int()  # possible number lengths
        pool = [reader.utf() for _ in range(reader.int())]
        for _ in range(reader.int()):
            prefix = int.from_bytes(reader.take(prefix_size), "big")
            table[prefix] = pool[int.from_bytes(reader.take(index_size), "big")]
    else:
        for _ in range(reader.int()):
            prefix = reader.int()
            table[prefix] = reader.utf()
        for _ in range(reader.int()):
            reader.int()
    if not reader.at_end():
        raise JarError("unread bytes after a prefix table")
    return table


def _block_data(raw):
    if raw[:4] != b"\xac\xed\x00\x05":
        raise JarError("not a serialized Java stream")
    out, i = bytearray(), 4
    while i < len(raw):
        tag = raw[i]
        if tag == 0x77:  # TC_BLOCKDATA
            n = raw[i + 1]
            out += raw[i + 2 : i + 2 + n]
            i += 2 + n
        elif tag == 0x7A:  # TC_BLOCKDATALONG
            (n,) = struct.unpack_from(">i", raw, i + 1)
            out += raw[i + 5 : i + 5 + n]
            i += 5 + n
        else:
            raise JarError(f"unexpected stream tag {tag:#x}")
    return bytes(out)


class _Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise JarError("prefix table ends early")
        chunk = self.data[self.pos : self.pos + n]
        self.pos += n
        return chunk

    def byte(self):
        return self.take(1)[0]

    def int(self):
        return struct.unpack(">i", self.take(4))[0]

    def utf(self):
        (n,) = struct.unpack(">H", self.take(2))
        return self.take(n).decode("utf-8")

    def at_end(self):
        return self.pos == len(self.data)
