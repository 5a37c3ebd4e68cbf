// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace zw {

// The program's texts are single bytes in Latin-1, as its data files and records hold them.
inline QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The other way, for texts the program builds from Qt's (paths, system messages): a
// character Latin-1 cannot hold becomes a question mark.
inline std::string Latin1Bytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace zw
