#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

#include "platform/translatable.h"
#include "ui/platform/latin1.h"

namespace zw {

// A text the core produced, in the user's language when it is one the core marked and a
// translation is loaded; otherwise as it is, Latin-1 like the data files' names it may carry.
inline QString CoreText(const std::string& text) {
  const QString translated = QCoreApplication::translate(kCoreTextContext, text.c_str());
  // Without a translation the key comes back read as UTF-8, which would garble Latin-1.
  return translated == QString::fromUtf8(text.c_str()) ? Latin1(text) : translated;
}

}  // namespace zw
