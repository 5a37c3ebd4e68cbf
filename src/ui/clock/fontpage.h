// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <optional>

#include "settings/clocksettings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace zw {

class CClockSettings;

// The "Font" page: the fonts of the names and of the dates and times, and the spacing of the
// digits. A chosen font is in effect at once; the spacing and the options wait for the sheet.
class CFontPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CFontPage", "Font");
  static constexpr const char* kSystemFace = QT_TRANSLATE_NOOP("zw::CFontPage", "System");
  static constexpr int kMinSpacing = 0;
  static constexpr int kMaxSpacing = 20;
  static constexpr int kNormalSpacing = 10;

  // Which font "Select Font..." changes.
  enum Target {
    kNames = ClockSettings::kNameFont,
    kDigits = ClockSettings::kDigitFont,
    kBoth = ClockSettings::kBothFonts
  };

  // Chooses a font; nothing when the chooser is cancelled.
  using FontChooser = std::function<std::optional<QFont>(const QFont& initial)>;

  // settings must outlive the page.
  explicit CFontPage(CClockSettings& settings, QWidget* parent = nullptr);

  void SetFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }

  // Reads the controls into the copies, and the copies and the spacing into the settings.
  void Store();

  QRadioButton* NamesButton() const { return m_names; }
  QRadioButton* DigitsButton() const { return m_digits; }
  QRadioButton* BothButton() const { return m_both; }
  QPushButton* SelectButton() const { return m_select; }
  QLabel* FaceLabel() const { return m_face; }
  QSlider* SpacingSlider() const { return m_spacing; }
  QCheckBox* AutoSizeBox() const { return m_autoSize; }

 signals:
  void modified();
  // A font was chosen: the clock should take it and lay itself out again.
  void fontChanged();

 private:
  struct Copies {
    ClockSettings::FontTarget fontTarget = ClockSettings::kBothFonts;
    bool autoSize = true;
  };

  void Build();
  // Takes copies of the font options and shows them with the spacing.
  void Load();
  void OnTarget(Target target);
  void OnSelect();
  void OnSpacingMoved();
  void OnAutoSize();
  Target CheckedTarget() const;
  void ShowFace(const ClockFont& font);
  void ShowSpacing(int spacing);

  CClockSettings& m_settings;
  FontChooser m_chooseFont;
  Copies m_copies;
  QRadioButton* m_names = nullptr;
  QRadioButton* m_digits = nullptr;
  QRadioButton* m_both = nullptr;
  QPushButton* m_select = nullptr;
  QLabel* m_face = nullptr;
  QSlider* m_spacing = nullptr;
  QCheckBox* m_autoSize = nullptr;
};

}  // namespace zw
