// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/qtfonts.h"

#include <cstdlib>
#include <cstring>

namespace zw {

std::optional<QFont> CQtFonts::ToFont(const ClockFont& record) {
  const std::string& face = record.face;
  if (face.empty()) {
    return std::nullopt;
  }
  QFont font(QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size())));
  // A negative height is the character height, a positive one the cell height; both are
  // pixels, and the difference is small enough to treat them alike.
  const int height = std::abs(record.height);
  if (height > 0 && height < 1000) {
    font.setPixelSize(height);
  }
  if (record.weight > 0 && record.weight <= 1000) {
    font.setWeight(static_cast<QFont::Weight>(record.weight));
  }
  font.setItalic(record.italic);
  font.setUnderline(record.underline);
  font.setStrikeOut(record.strikeOut);
  if (record.pitch == ClockFont::Pitch::kFixed) {
    font.setFixedPitch(true);
  }
  return font;
}

ClockFont CQtFonts::ToClockFont(const QFont& font) {
  ClockFont record;
  const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                          : static_cast<int>(font.pointSizeF() * 96.0 / 72.0 + 0.5);
  record.height = -pixels;
  record.weight = font.weight();
  record.italic = font.italic();
  record.underline = font.underline();
  record.strikeOut = font.strikeOut();
  record.pitch = font.fixedPitch() ? ClockFont::Pitch::kFixed : ClockFont::Pitch::kVariable;
  const QByteArray face = font.family().toLatin1();
  record.face.assign(face.constData(), static_cast<std::size_t>(face.size()));
  return record;
}

QColor CQtFonts::ToColor(std::uint32_t stored) {
  return QColor(static_cast<int>(stored & 0xFF), static_cast<int>((stored >> 8) & 0xFF),
                static_cast<int>((stored >> 16) & 0xFF));
}

std::uint32_t CQtFonts::ToStored(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) |
         (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace zw
