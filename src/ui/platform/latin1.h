#pragma once

#include <QString>
#include <string_view>

namespace zw {

// The program's texts are single bytes in Latin-1, as its data files and records hold them.
inline QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zw
