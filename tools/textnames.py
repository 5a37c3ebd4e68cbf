# SPDX-License-Identifier: GPL-3.0-or-later
"""Place and country names in the single-byte character set of the data files (Latin-1)."""

import unicodedata

# Letters with no Latin-1 form that decomposition cannot reach, and the punctuation that
# place names use around apostrophes and dashes.
_REPLACEMENTS = {
    "\u0110": "D",  # D with stroke
    "\u0111": "d",
    "\u0126": "H",  # H with stroke
    "\u0127": "h",
    "\u0131": "i",  # dotless i
    "\u0141": "L",  # L with stroke
    "\u0142": "l",
    "\u0152": "OE",
    "\u0153": "oe",
    "\u0166": "T",  # T with stroke
    "\u0167": "t",
    "\u018f": "A",  # schwa, as Azerbaijani names are usually written in English
    "\u0259": "a",
    "\u01dd": "e",  # turned e
    "\u02bb": "'",  # okina
    "\u02bc": "'",  # modifier letter apostrophe
    "\u02be": "'",
    "\u02bf": "'",
    "\u2018": "'",
    "\u2019": "'",
    "\u201c": "'",  # a double quote cannot stand inside a quoted field
    "\u201d": "'",
    "\u2010": "-",
    "\u2011": "-",
    "\u2013": "-",
    "\u2014": "-",
}


class TextError(ValueError):
    pass


def to_latin1(text):
    """The text with every character outside Latin-1 replaced by its nearest Latin-1 form.

    A letter keeps whichever of its accents Latin-1 has (Vietnamese "ệ" becomes "ê") and
    drops the others; characters with no such form raise TextError naming them.
    """
    out = []
    for cluster in _clusters(unicodedata.normalize("NFD", text)):
        composed = unicodedata.normalize("NFC", cluster)
        if _is_latin1(composed):
            out.append(composed)
            continue
        base, marks = cluster[0], cluster[1:]
        if base in _REPLACEMENTS:
            out.append(_REPLACEMENTS[base])
            continue
        options = [unicodedata.normalize("NFC", base + m) for m in marks] + [base]
        for option in options:
            if _is_latin1(option):
                out.append(option)
                break
        else:
            names = ", ".join(f"U+{ord(c):04X}" for c in cluster)
            raise TextError(f"{text!r}: no Latin-1 form for {names}")
    return "".join(out)


def _clusters(decomposed):
    """A base character with the combining marks that follow it, one cluster at a time."""
    cluster = ""
    for c in decomposed:
        if unicodedata.combining(c) and cluster:
            cluster += c
            continue
        if cluster:
            yield cluster
        cluster = c
    if cluster:
        yield cluster


def _is_latin1(text):
    return all(ord(c) < 256 for c in text)
