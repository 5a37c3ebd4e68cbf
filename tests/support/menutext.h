// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zw::test {

// A menu or button text as it reads, without the '&' that marks its mnemonic ("&&" shows '&').
inline QString PlainText(const QString& text) {
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
      ++i;
    }
    plain += text[i];
  }
  return plain;
}

}  // namespace zw::test
