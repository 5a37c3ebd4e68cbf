#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a text of the windows escapes translation: the template that make-pot.sh writes
must hold the windows' texts and the core's marked messages, untranslated, and no window
source may hand a bare literal to a call that shows it.
Usage: check_translatable.py SRC_DIR MAKE_POT LUPDATE"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SHOWN = re.compile(
    r"\b(setText|setWindowTitle|setToolTip|setStatusTip|setPlaceholderText|setTitle|addAction|"
    r"addMenu|addTab|addRow|addItem|addButton|QLabel|QPushButton|QCheckBox|QRadioButton|QGroupBox|"
    r"QAction|information|warning|question|critical|Warn|Inform|AskYesNo)\s*\(")
MARKED = re.compile(r"\b(tr|translate|QT_TRANSLATE_NOOP|ZW_TR_NOOP)\s*\(")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
# Literals that are not words for people: icons, object names, separators, numbers.
NOT_WORDS = re.compile(r"^(:/.*|[^A-Za-z]*|[a-z]+(-[a-z]+)*)$")


def closing(text, start):
    depth = 0
    for i in range(start, len(text)):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            return i
    return len(text)


def unmarked(text, open_at, close_at):
    """The literals between the parentheses, without those inside a translation call."""
    args = text[open_at:close_at]
    for call in reversed(list(MARKED.finditer(args))):
        end = closing(args, call.end() - 1)
        args = args[: call.start()] + args[end + 1:]
    return [m.group(1) for m in LITERAL.finditer(args) if not NOT_WORDS.match(m.group(1))]


def bare_literals(ui_dir):
    for root, _, files in os.walk(ui_dir):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            text = open(path, encoding="latin-1").read()
            for call in SHOWN.finditer(text):
                open_at = call.end() - 1
                for literal in unmarked(text, open_at, closing(text, open_at)):
                    line = text.count("\n", 0, call.start()) + 1
                    yield f"{path}:{line}: \"{literal}\" is shown untranslated"


def template_problems(make_pot, lupdate):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "zonewright.ts")
        subprocess.run([make_pot, out], check=True, env=dict(os.environ, LUPDATE=lupdate))
        root = ET.parse(out).getroot()
    texts = {(c.findtext("name"), m.findtext("source"))
             for c in root.iter("context") for m in c.iter("message")}
    wanted = [("zw::CWelcomeDlg", "Welcome to Zonewright for Linux"),
              ("zw::ClockActions", "&Update Database...\tAlt+U"),
              ("Core", "Invalid day entered."),
              ("Core", "Cannot read the time zone file.  Return code: ")]
    for context, source in wanted:
        if (context, source) not in texts:
            yield f"the template lacks {source!r} in {context}"
    for translation in root.iter("translation"):
        if translation.text:
            yield f"the template holds a translation: {translation.text!r}"


def core_contexts(src_dir):
    # The windows look every core text up under one context; another would never be found.
    for root, _, files in os.walk(src_dir):
        for name in sorted(files):
            path = os.path.join(root, name)
            if name.endswith((".cpp", ".h")):
                for m in re.finditer(r'ZW_TR_NOOP\(\s*"([^"]*)"', open(path, encoding="latin-1").read()):
                    if m.group(1) != "Core":
                        yield f"{path}: core text marked in context {m.group(1)!r}"


def main():
    src_dir, make_pot, lupdate = sys.argv[1:4]
    problems = [*bare_literals(os.path.join(src_dir, "ui")), *core_contexts(src_dir),
                *template_problems(make_pot, lupdate)]
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
