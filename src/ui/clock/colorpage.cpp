// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/colorpage.h"

#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "locations/locationdb.h"
#include "settings/clocksettings.h"
#include "ui/clock/qtfonts.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

constexpr const char* kBackgroundText = QT_TRANSLATE_NOOP("zw::CColorPage", "&Background");
constexpr const char* kCharactersText = QT_TRANSLATE_NOOP("zw::CColorPage", "&Characters");
constexpr const char* kSelectText = QT_TRANSLATE_NOOP("zw::CColorPage", "&Select Color...");
// Where "<All Text>" starts when the clock shows no line to take a colour from.
constexpr std::uint32_t kDefaultTextColor = CLocationDB::kDefaultClockColor;

}  // namespace

CColorPage::CColorPage(CClockSettings& settings, CLocationDB& db, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_db(db) {
  m_chooseColor = [this](const QColor& initial) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial, this);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
  };
  Build();
  FillLines();
  m_background->setChecked(true);
  m_lines->setEnabled(false);
}

void CColorPage::Build() {
  auto* layout = new QVBoxLayout(this);
  m_background =
      new QRadioButton(QCoreApplication::translate("zw::CColorPage", kBackgroundText), this);
  m_characters =
      new QRadioButton(QCoreApplication::translate("zw::CColorPage", kCharactersText), this);
  m_lines = new QComboBox(this);
  m_select = new QPushButton(QCoreApplication::translate("zw::CColorPage", kSelectText), this);
  m_select->setAutoDefault(false);
  layout->addWidget(m_background);
  layout->addWidget(m_characters);
  layout->addWidget(m_lines);
  layout->addWidget(m_select, 0, Qt::AlignLeft);
  layout->addStretch(1);
  connect(m_background, &QRadioButton::clicked, this, &CColorPage::OnBackground);
  connect(m_characters, &QRadioButton::clicked, this, &CColorPage::OnCharacters);
  connect(m_select, &QPushButton::clicked, this, &CColorPage::OnSelect);
}

void CColorPage::FillLines() {
  m_lines->addItem(tr(kAllText));
  for (std::size_t i = 0; i < m_db.ClockCount(); ++i) {
    m_lines->addItem(Latin1(m_db.ClockAt(i)->Name()));
  }
  m_lines->setCurrentIndex(0);
}

void CColorPage::OnBackground() {
  m_lines->setEnabled(false);
}

void CColorPage::OnCharacters() {
  m_lines->setEnabled(true);
  m_lines->setCurrentIndex(0);
}

void CColorPage::OnSelect() {
  if (m_background->isChecked()) {
    ChooseBackground();
    return;
  }
  const int entry = m_lines->currentIndex();
  if (entry >= 1) {
    ChooseLineColor(entry - 1);
    return;
  }
  ChooseAllLinesColor();
}

void CColorPage::ChooseBackground() {
  std::uint32_t& stored = m_settings.Values().backgroundColor;
  const auto chosen = m_chooseColor(CQtFonts::ToColor(stored));
  if (!chosen) {
    return;
  }
  stored = CQtFonts::ToStored(*chosen);
  emit colorChanged();
}

void CColorPage::ChooseLineColor(int entry) {
  const auto index = static_cast<std::size_t>(entry);
  if (index >= m_db.ClockCount()) {
    return;
  }
  const CLocation& line = *m_db.ClockAt(index);
  const auto chosen = m_chooseColor(CQtFonts::ToColor(m_db.ClockColor(line)));
  if (!chosen) {
    return;
  }
  m_db.SetClockColor(line, CQtFonts::ToStored(*chosen));
  emit colorChanged();
}

void CColorPage::ChooseAllLinesColor() {
  const std::uint32_t start =
      m_db.ClockCount() > 0 ? m_db.ClockColor(*m_db.ClockAt(0)) : kDefaultTextColor;
  const auto chosen = m_chooseColor(CQtFonts::ToColor(start));
  if (!chosen) {
    return;
  }
  for (std::size_t i = 0; i < m_db.ClockCount(); ++i) {
    m_db.SetClockColor(*m_db.ClockAt(i), CQtFonts::ToStored(*chosen));
  }
  emit colorChanged();
}

}  // namespace zw
