#include "ui/clock/formatpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/clocksettings.h"

namespace zw {

namespace {

constexpr const char* kDisplayGroup = "Display on Clock";
constexpr const char* kDateGroup = "Date Format";
constexpr const char* kTimeGroup = "Time Format";

constexpr std::int32_t kDateOnly = 0;
constexpr std::int32_t kTimeOnly = 1;
constexpr std::int32_t kDateAndTime = 2;
constexpr std::int32_t kMonthDayYear = 0;
constexpr std::int32_t kYearMonthDay = 1;
constexpr std::int32_t kDayMonthYear = 2;

// Radios of one group share the group box as parent, which keeps them exclusive.
QGroupBox* AddGroup(QGridLayout* grid, const char* title, int row, int column) {
  auto* group = new QGroupBox(QString::fromLatin1(title));
  new QVBoxLayout(group);
  grid->addWidget(group, row, column);
  return group;
}

template <typename Button>
Button* AddButton(QGroupBox* group, const char* text) {
  auto* button = new Button(QString::fromLatin1(text), group);
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
  m_date = AddButton<QRadioButton>(display, "Date");
  m_time = AddButton<QRadioButton>(display, "Time");
  m_both = AddButton<QRadioButton>(display, "Both");

  QGroupBox* date = AddGroup(grid, kDateGroup, 0, 1);
  m_dayFirst = AddButton<QRadioButton>(date, "DD.MM.YY");
  m_monthFirst = AddButton<QRadioButton>(date, "MM/DD/YY");
  m_yearFirst = AddButton<QRadioButton>(date, "YY-MM-DD");
  m_fourDigitYears = AddButton<QCheckBox>(date, "4 Digit Years");

  QGroupBox* time = AddGroup(grid, kTimeGroup, 1, 0);
  m_twelveHour = AddButton<QRadioButton>(time, "12 hour clock");
  m_twentyFourHour = AddButton<QRadioButton>(time, "24 hour clock");
  m_seconds = AddButton<QCheckBox>(time, "Include Seconds");

  m_leadingZeros = new QCheckBox(QStringLiteral("Leading Zeroes"), this);
  grid->addWidget(m_leadingZeros, 1, 1, Qt::AlignTop);
  grid->setRowStretch(2, 1);

  for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
    connect(button, &QAbstractButton::clicked, this, &CFormatPage::OnClicked);
  }
}

void CFormatPage::Load() {
  const ClockSettingsRecord& f = m_settings.Fields();
  m_copies =
      Copies{f.fourDigitYears, f.showSeconds, f.leadingZeros, f.displayMode, f.dateOrder, f.hour24};
  ShowCopies();
}

void CFormatPage::ShowCopies() {
  // Values the page cannot show fall to the last choice of their group.
  m_date->setChecked(m_copies.displayMode == kDateOnly);
  m_time->setChecked(m_copies.displayMode == kTimeOnly);
  m_both->setChecked(m_copies.displayMode != kDateOnly && m_copies.displayMode != kTimeOnly);
  m_monthFirst->setChecked(m_copies.dateOrder == kMonthDayYear);
  m_dayFirst->setChecked(m_copies.dateOrder == kDayMonthYear);
  m_yearFirst->setChecked(m_copies.dateOrder != kMonthDayYear &&
                          m_copies.dateOrder != kDayMonthYear);
  m_twelveHour->setChecked(m_copies.hour24 == 0);
  m_twentyFourHour->setChecked(m_copies.hour24 != 0);
  m_fourDigitYears->setChecked(m_copies.fourDigitYears != 0);
  m_seconds->setChecked(m_copies.showSeconds != 0);
  m_leadingZeros->setChecked(m_copies.leadingZeros != 0);
}

void CFormatPage::OnClicked() {
  ReadRadios();
  emit modified();
}

void CFormatPage::ReadRadios() {
  m_copies.displayMode = m_date->isChecked()   ? kDateOnly
                         : m_time->isChecked() ? kTimeOnly
                                               : kDateAndTime;
  m_copies.dateOrder = m_monthFirst->isChecked() ? kMonthDayYear
                       : m_dayFirst->isChecked() ? kDayMonthYear
                                                 : kYearMonthDay;
  m_copies.hour24 = m_twelveHour->isChecked() ? 0 : 1;
}

void CFormatPage::ReadChecks() {
  m_copies.fourDigitYears = m_fourDigitYears->isChecked() ? 1 : 0;
  m_copies.showSeconds = m_seconds->isChecked() ? 1 : 0;
  m_copies.leadingZeros = m_leadingZeros->isChecked() ? 1 : 0;
}

void CFormatPage::Store() {
  ReadChecks();
  ClockSettingsRecord& f = m_settings.Fields();
  f.fourDigitYears = m_copies.fourDigitYears;
  f.showSeconds = m_copies.showSeconds;
  f.leadingZeros = m_copies.leadingZeros;
  f.displayMode = m_copies.displayMode;
  f.dateOrder = m_copies.dateOrder;
  f.hour24 = m_copies.hour24;
}

}  // namespace zw
