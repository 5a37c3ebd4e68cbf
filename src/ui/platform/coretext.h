// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

#include "platform/translatable.h"
#include "ui/platform/latin1.h"

namespace zw {

// A text the core produced, in the user's language when it is one the core marked and a
// translation is loaded; otherwise as it is, Latin-1 like the data files' names it may carry.
// Many of the core's texts end in a return code after ": ": those are looked up without it.
inline QString CoreText(const std::string& text) {
  const std::string::size_type colon = text.rfind(": ");
  const std::string::size_type codeAt = colon == std::string::npos ? text.size() : colon + 2;
  const std::string code = text.substr(codeAt);
  const bool endsInCode =
      !code.empty() && code.find_first_not_of("-0123456789") == std::string::npos;
  const std::string key = endsInCode ? text.substr(0, codeAt) : text;
  const QString translated = QCoreApplication::translate(kCoreTextContext, key.c_str());
  // Without a translation the key comes back read as UTF-8, which would garble Latin-1.
  if (translated == QString::fromUtf8(key.c_str())) {
    return Latin1(text);
  }
  return endsInCode ? translated + Latin1(code) : translated;
}

}  // namespace zw
