// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/monthgrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "timecore/datetime.h"

namespace zw {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
// The blank after "Su" belongs to the heading as users have always seen it.
constexpr std::array<const char*, 7> kWeekdayHeadings = {"Su ", "M", "Tu", "W", "Th", "F", "Sa"};
constexpr int kDaysPerWeek = 7;

// English speakers keep the names and headings they have always seen; other languages get
// their own from the locale.
bool SpeaksEnglish(const QLocale& locale) {
  return locale.language() == QLocale::C || locale.language() == QLocale::English;
}

// 1 = Sunday .. 7 = Saturday, as CDateTime counts. The C locale keeps the Sunday start it
// always had.
int FirstColumnDay(const QLocale& locale) {
  if (locale.language() == QLocale::C) {
    return 1;
  }
  return static_cast<int>(locale.firstDayOfWeek()) % kDaysPerWeek + 1;
}

QString Heading(const QLocale& locale, int day) {
  if (SpeaksEnglish(locale)) {
    return QString::fromLatin1(kWeekdayHeadings[day - 1]);
  }
  return locale.standaloneDayName(day == 1 ? 7 : day - 1, QLocale::ShortFormat);
}

static_assert(CMonthGrid::kDayButtons == kDaysPerWeek - 1 + 31,
              "every month must fit from any starting weekday");

}  // namespace

CMonthGrid::CMonthGrid(QWidget* parent)
    : QWidget(parent), m_firstColumnDay(FirstColumnDay(locale())) {
  BuildLists();
  BuildDayGrid();
  connect(m_monthList, &QComboBox::currentIndexChanged, this, &CMonthGrid::OnListChanged);
  connect(m_yearList, &QComboBox::currentIndexChanged, this, &CMonthGrid::OnListChanged);
}

void CMonthGrid::BuildLists() {
  m_monthList = new QComboBox(this);
  for (int month = 1; month <= 12; ++month) {
    m_monthList->addItem(SpeaksEnglish(locale())
                             ? QString::fromLatin1(kMonthNames[month - 1])
                             : locale().standaloneMonthName(month, QLocale::LongFormat));
  }
  m_yearList = new QComboBox(this);
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    m_yearList->addItem(QString::number(y));
  }
}

void CMonthGrid::BuildDayGrid() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* lists = new QHBoxLayout;
  lists->addWidget(m_monthList, 1);
  lists->addWidget(m_yearList);
  layout->addLayout(lists);
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  layout->addLayout(grid);
  // Square buttons just wide enough for two digits.
  const int side = std::max(fontMetrics().horizontalAdvance(QStringLiteral("00")) * 2,
                            fontMetrics().height() * 2);
  for (int column = 0; column < kDaysPerWeek; ++column) {
    const int day = (m_firstColumnDay - 1 + column) % kDaysPerWeek + 1;
    auto* heading = new QLabel(Heading(locale(), day), this);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, column);
  }
  for (int i = 0; i < kDayButtons; ++i) {
    auto* button = new QPushButton(this);
    button->setFixedSize(side, side);
    // Hidden buttons keep their cell, so the grid does not jump between months.
    QSizePolicy policy = button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    button->setSizePolicy(policy);
    const int position = i + 1;
    connect(button, &QPushButton::clicked, this,
            [this, position] { emit dayPressed(position - (m_firstWeekday - 1)); });
    grid->addWidget(button, 1 + i / kDaysPerWeek, i % kDaysPerWeek);
    m_dayButtons[i] = button;
  }
}

QPushButton* CMonthGrid::ButtonOfDay(int day) const {
  if (day < 1 || day > CDateTime::DaysInMonth(ShownYear(), ShownMonth())) {
    return nullptr;
  }
  return DayButton(day + m_firstWeekday - 1);
}

int CMonthGrid::ShownYear() const {
  return kFirstYear + m_yearList->currentIndex();
}

int CMonthGrid::ShownMonth() const {
  return m_monthList->currentIndex() + 1;
}

void CMonthGrid::ShowMonth(int year, int month) {
  {
    const QSignalBlocker blockMonths(m_monthList);
    const QSignalBlocker blockYears(m_yearList);
    m_monthList->setCurrentIndex(std::clamp(month, 1, 12) - 1);
    m_yearList->setCurrentIndex(std::clamp(year, kFirstYear, kLastYear) - kFirstYear);
  }
  LayOutDays();
}

void CMonthGrid::LayOutDays() {
  for (QPushButton* button : m_dayButtons) {
    button->hide();
  }
  const int weekday = CDateTime(ShownYear(), ShownMonth(), 1, 0, 0, 0).DayOfWeek();
  m_firstWeekday = (weekday - m_firstColumnDay + kDaysPerWeek) % kDaysPerWeek + 1;
  const int lastDay = CDateTime::DaysInMonth(ShownYear(), ShownMonth());
  for (int day = 1; day <= lastDay; ++day) {
    QPushButton* button = DayButton(day + m_firstWeekday - 1);
    button->setText(QString::number(day));
    Mark(button, m_marker ? m_marker(ShownYear(), ShownMonth(), day) : 0);
    button->show();
  }
}

void CMonthGrid::SetDayMarker(DayMarker marker) {
  m_marker = std::move(marker);
}

// Events make the day bold, notes underline it, so a day can show both at a glance.
void CMonthGrid::Mark(QPushButton* button, int marks) const {
  QFont font = button->font();
  font.setBold((marks & kHasEvents) != 0);
  font.setUnderline((marks & kHasNotes) != 0);
  button->setFont(font);
  button->setProperty("marks", marks);
  QStringList tip;
  if ((marks & kHasEvents) != 0) {
    tip << tr("Events");
  }
  if ((marks & kHasNotes) != 0) {
    tip << tr("Notes");
  }
  button->setToolTip(tip.join(QStringLiteral(", ")));
}

int CMonthGrid::MarksOf(int day) const {
  const QPushButton* button = ButtonOfDay(day);
  return button != nullptr ? button->property("marks").toInt() : 0;
}

void CMonthGrid::OnListChanged() {
  LayOutDays();
  emit monthChosen(ShownYear(), ShownMonth());
}

}  // namespace zw
