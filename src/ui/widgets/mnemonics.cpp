// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/mnemonics.h"

namespace zw {

namespace {

// The position in `name` of the first free letter or digit; word starts are tried first, as
// a reader looks for the mnemonic there.
qsizetype FreePosition(const QString& name, const QString& used) {
  for (const bool wordStartsOnly : {true, false}) {
    for (qsizetype i = 0; i < name.size(); ++i) {
      const QChar c = name[i];
      const bool wordStart = i == 0 || !name[i - 1].isLetterOrNumber();
      if (!c.isLetterOrNumber() || (wordStartsOnly && !wordStart)) {
        continue;
      }
      if (!used.contains(c.toLower())) {
        return i;
      }
    }
  }
  return -1;
}

}  // namespace

QStringList WithMnemonics(const QStringList& names, const QString& taken) {
  QString used = taken.toLower();
  QStringList texts;
  texts.reserve(names.size());
  for (const QString& name : names) {
    const qsizetype at = FreePosition(name, used);
    QString text;
    for (qsizetype i = 0; i < name.size(); ++i) {
      if (i == at) {
        text += QLatin1Char('&');
        used += name[i].toLower();
      }
      text += name[i];
      if (name[i] == QLatin1Char('&')) {
        text += QLatin1Char('&');
      }
    }
    texts << text;
  }
  return texts;
}

}  // namespace zw
