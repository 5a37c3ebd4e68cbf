// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QPushButton;
class QRadioButton;

namespace zw {

class CClockSettings;
class CLocationDB;

// The "Color" page: the clock's background and the colour of each line's characters. It keeps
// no copies: a chosen colour is in effect at once and stays when the sheet is cancelled.
class CColorPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CColorPage", "Color");
  static constexpr const char* kAllText = QT_TRANSLATE_NOOP("zw::CColorPage", "<All Text>");

  // Chooses a colour; nothing when the chooser is cancelled.
  using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;

  // Both must outlive the page.
  CColorPage(CClockSettings& settings, CLocationDB& db, QWidget* parent = nullptr);

  void SetColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

  QRadioButton* BackgroundButton() const { return m_background; }
  QRadioButton* CharactersButton() const { return m_characters; }
  QComboBox* LineList() const { return m_lines; }
  QPushButton* SelectButton() const { return m_select; }

 signals:
  // A colour was chosen: the clock should paint again.
  void colorChanged();

 private:
  void Build();
  void FillLines();
  void OnBackground();
  void OnCharacters();
  void OnSelect();
  void ChooseBackground();
  void ChooseLineColor(int entry);
  void ChooseAllLinesColor();

  CClockSettings& m_settings;
  CLocationDB& m_db;
  ColorChooser m_chooseColor;
  QRadioButton* m_background = nullptr;
  QRadioButton* m_characters = nullptr;
  QComboBox* m_lines = nullptr;
  QPushButton* m_select = nullptr;
};

}  // namespace zw
