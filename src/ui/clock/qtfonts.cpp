#include "ui/clock/qtfonts.h"

#include <cstdlib>
#include <cstring>

namespace zw {

namespace {

constexpr std::uint8_t kFixedPitch = 1;
constexpr std::uint8_t kVariablePitch = 2;

}  // namespace

std::optional<QFont> CQtFonts::ToFont(const FontRecord& record) {
  const std::string face = CClockSettings::Text(record.faceName);
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
  font.setItalic(record.italic != 0);
  font.setUnderline(record.underline != 0);
  font.setStrikeOut(record.strikeOut != 0);
  if ((record.pitchAndFamily & 0x3) == kFixedPitch) {
    font.setFixedPitch(true);
  }
  return font;
}

FontRecord CQtFonts::ToRecord(const QFont& font) {
  FontRecord record{};
  const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                          : static_cast<int>(font.pointSizeF() * 96.0 / 72.0 + 0.5);
  record.height = -pixels;
  record.weight = font.weight();
  record.italic = font.italic() ? 1 : 0;
  record.underline = font.underline() ? 1 : 0;
  record.strikeOut = font.strikeOut() ? 1 : 0;
  record.pitchAndFamily = font.fixedPitch() ? kFixedPitch : kVariablePitch;
  const QByteArray face = font.family().toLatin1();
  CClockSettings::SetText(record.faceName, std::string_view(face.constData(), face.size()));
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
