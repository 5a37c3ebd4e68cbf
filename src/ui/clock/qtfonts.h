// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <optional>

#include "settings/clocksettings.h"

namespace zw {

// Conversions between the stored forms of fonts and colours and Qt's.
class CQtFonts {
 public:
  // Nothing for a font without a face name: the system font is meant.
  static std::optional<QFont> ToFont(const ClockFont& font);
  static ClockFont ToClockFont(const QFont& font);

  // Stored colours are 0x00BBGGRR.
  static QColor ToColor(std::uint32_t stored);
  static std::uint32_t ToStored(const QColor& color);
};

}  // namespace zw
