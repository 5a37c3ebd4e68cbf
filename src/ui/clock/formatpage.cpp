// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/formatpage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/clocksettings.h"

namespace zw {

namespace {

constexpr const char* kDisplayGroup = QT_TRANSLATE_NOOP("zw::CFormatPage", "Display on Clock");
constexpr const char* kDateGroup = QT_TRANSLATE_NOOP("zw::CFormatPage", "Date Format");
constexpr const char* kTimeGroup = QT_TRANSLATE_NOOP("zw::CFormatPage", "Time Format");

// Radios of one group share the group box as parent, which keeps them exclusive.
QGroupBox* AddGroup(QGridLayout* grid, const char* title, int row, int column) {
  auto* group = new QGroupBox(QCoreApplication::translate("zw::CFormatPage", title));
  new QVBoxLayout(group);
  grid->addWidget(group, row, column);
  return group;
}

template <typename Button>
Button* AddButton(QGroupBox* group, const char* text) {
  auto* button = new Button(QCoreApplication::translate("zw::CFormatPage", text), group);
  group->layout()->addWidget(button);
  return button;
}

}  // namespace

CFormatPage::CFormatPage(CClockSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
  Build();
  Load();
}

void CFormatPage::Build() {
  auto* grid = new QGridLayout(this);
  QGroupBox* display = AddGroup(grid, kDisplayGroup, 0, 0);
  m_date = AddButton<QRadioButton>(display, QT_TRANSLATE_NOOP("zw::CFormatPage", "Dat&e"));
  m_time = AddButton<QRadioButton>(display, QT_TRANSLATE_NOOP("zw::CFormatPage", "&Time"));
  m_both = AddButton<QRadioButton>(display, QT_TRANSLATE_NOOP("zw::CFormatPage", "&Both"));

  QGroupBox* date = AddGroup(grid, kDateGroup, 0, 1);
  m_dayFirst = AddButton<QRadioButton>(date, QT_TRANSLATE_NOOP("zw::CFormatPage", "&DD.MM.YY"));
  m_monthFirst = AddButton<QRadioButton>(date, QT_TRANSLATE_NOOP("zw::CFormatPage", "&MM/DD/YY"));
  m_yearFirst = AddButton<QRadioButton>(date, QT_TRANSLATE_NOOP("zw::CFormatPage", "&YY-MM-DD"));
  m_fourDigitYears =
      AddButton<QCheckBox>(date, QT_TRANSLATE_NOOP("zw::CFormatPage", "&4 Digit Years"));

  QGroupBox* time = AddGroup(grid, kTimeGroup, 1, 0);
  m_twelveHour =
      AddButton<QRadioButton>(time, QT_TRANSLATE_NOOP("zw::CFormatPage", "&12 hour clock"));
  m_twentyFourHour =
      AddButton<QRadioButton>(time, QT_TRANSLATE_NOOP("zw::CFormatPage", "&24 hour clock"));
  m_seconds = AddButton<QCheckBox>(time, QT_TRANSLATE_NOOP("zw::CFormatPage", "Include &Seconds"));

  m_leadingZeros = new QCheckBox(tr("&Leading Zeroes"), this);
  grid->addWidget(m_leadingZeros, 1, 1, Qt::AlignTop);
  grid->setRowStretch(2, 1);

  for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
    connect(button, &QAbstractButton::clicked, this, &CFormatPage::OnClicked);
  }
}

void CFormatPage::Load() {
  const ClockSettings& f = m_settings.Values();
  m_copies =
      Copies{f.fourDigitYears, f.showSeconds, f.leadingZeros, f.displayMode, f.dateOrder, f.hour24};
  ShowCopies();
}

void CFormatPage::ShowCopies() {
  m_date->setChecked(m_copies.displayMode == DisplayOptions::kDateOnly);
  m_time->setChecked(m_copies.displayMode == DisplayOptions::kTimeOnly);
  m_both->setChecked(m_copies.displayMode == DisplayOptions::kDateAndTime);
  m_monthFirst->setChecked(m_copies.dateOrder == CDateTime::kMonthDayYear);
  m_dayFirst->setChecked(m_copies.dateOrder == CDateTime::kDayMonthYear);
  m_yearFirst->setChecked(m_copies.dateOrder == CDateTime::kYearMonthDay);
  m_twelveHour->setChecked(!m_copies.hour24);
  m_twentyFourHour->setChecked(m_copies.hour24);
  m_fourDigitYears->setChecked(m_copies.fourDigitYears);
  m_seconds->setChecked(m_copies.showSeconds);
  m_leadingZeros->setChecked(m_copies.leadingZeros);
}

void CFormatPage::OnClicked() {
  ReadRadios();
  emit modified();
}

void CFormatPage::ReadRadios() {
  m_copies.displayMode = m_date->isChecked()   ? DisplayOptions::kDateOnly
                         : m_time->isChecked() ? DisplayOptions::kTimeOnly
                                               : DisplayOptions::kDateAndTime;
  m_copies.dateOrder = m_monthFirst->isChecked() ? CDateTime::kMonthDayYear
                       : m_dayFirst->isChecked() ? CDateTime::kDayMonthYear
                                                 : CDateTime::kYearMonthDay;
  m_copies.hour24 = !m_twelveHour->isChecked();
}

void CFormatPage::ReadChecks() {
  m_copies.fourDigitYears = m_fourDigitYears->isChecked();
  m_copies.showSeconds = m_seconds->isChecked();
  m_copies.leadingZeros = m_leadingZeros->isChecked();
}

void CFormatPage::Store() {
  ReadChecks();
  ClockSettings& f = m_settings.Values();
  f.fourDigitYears = m_copies.fourDigitYears;
  f.showSeconds = m_copies.showSeconds;
  f.leadingZeros = m_copies.leadingZeros;
  f.displayMode = m_copies.displayMode;
  f.dateOrder = m_copies.dateOrder;
  f.hour24 = m_copies.hour24;
}

}  // namespace zw
