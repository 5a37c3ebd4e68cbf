#include "widgets/calendardlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "timecore/datetime.h"

namespace zw {

namespace {

constexpr const char* kTitle = "Calendar";
constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
// The blank after "Su" belongs to the heading as users have always seen it.
constexpr std::array<const char*, 7> kWeekdayHeadings = {"Su ", "M", "Tu", "W", "Th", "F", "Sa"};
constexpr int kDaysPerWeek = 7;
static_assert(CCalendarDlg::kDayButtons == kDaysPerWeek - 1 + 31,
              "every month must fit from any starting weekday");

}  // namespace

CCalendarDlg::CCalendarDlg(int year, int month, int day, QWidget* parent)
    : QDialog(parent),
      m_year(std::clamp(year, kFirstYear, kLastYear)),
      m_month(std::clamp(month, 1, 12)),
      m_day(std::clamp(day, 1, CDateTime::DaysInMonth(m_year, m_month))) {
  setWindowTitle(QString::fromLatin1(kTitle));
  auto* layout = new QVBoxLayout(this);
  BuildLists();
  auto* lists = new QHBoxLayout;
  lists->addWidget(m_monthList, 1);
  lists->addWidget(m_yearList);
  layout->addLayout(lists);
  auto* grid = new QGridLayout;
  BuildDayGrid(grid);
  layout->addLayout(grid);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  m_monthList->setCurrentIndex(m_month - 1);
  m_yearList->setCurrentIndex(m_year - kFirstYear);
  LayOutDays();
  RememberedDayButton()->setFocus();

  connect(m_monthList, &QComboBox::currentIndexChanged, this, &CCalendarDlg::LayOutDays);
  connect(m_yearList, &QComboBox::currentIndexChanged, this, &CCalendarDlg::LayOutDays);
}

void CCalendarDlg::BuildLists() {
  m_monthList = new QComboBox(this);
  for (const char* name : kMonthNames) {
    m_monthList->addItem(QString::fromLatin1(name));
  }
  m_yearList = new QComboBox(this);
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    m_yearList->addItem(QString::number(y));
  }
}

void CCalendarDlg::BuildDayGrid(QGridLayout* grid) {
  grid->setSpacing(2);
  // Square buttons just wide enough for two digits.
  const int side = std::max(fontMetrics().horizontalAdvance(QStringLiteral("00")) * 2,
                            fontMetrics().height() * 2);
  for (int column = 0; column < kDaysPerWeek; ++column) {
    auto* heading = new QLabel(QString::fromLatin1(kWeekdayHeadings[column]), this);
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
    connect(button, &QPushButton::clicked, this, [this, position] { PickPosition(position); });
    grid->addWidget(button, 1 + i / kDaysPerWeek, i % kDaysPerWeek);
    m_dayButtons[i] = button;
  }
}

int CCalendarDlg::ShownYear() const {
  return kFirstYear + m_yearList->currentIndex();
}

int CCalendarDlg::ShownMonth() const {
  return m_monthList->currentIndex() + 1;
}

void CCalendarDlg::LayOutDays() {
  for (QPushButton* button : m_dayButtons) {
    button->hide();
  }
  m_firstWeekday = CDateTime(ShownYear(), ShownMonth(), 1, 0, 0, 0).DayOfWeek();
  const int lastDay = CDateTime::DaysInMonth(ShownYear(), ShownMonth());
  for (int day = 1; day <= lastDay; ++day) {
    QPushButton* button = DayButton(day + m_firstWeekday - 1);
    button->setText(QString::number(day));
    button->show();
  }
  // Enter picks the remembered day in whatever month is shown.
  RememberedDayButton()->setDefault(true);
}

QPushButton* CCalendarDlg::RememberedDayButton() const {
  const int day = std::min(m_day, CDateTime::DaysInMonth(ShownYear(), ShownMonth()));
  return DayButton(day + m_firstWeekday - 1);
}

void CCalendarDlg::PickPosition(int position) {
  m_year = ShownYear();
  m_month = ShownMonth();
  m_day = position - (m_firstWeekday - 1);
  accept();
}

QString CCalendarDlg::DateText(int year, int month, int day, int order) {
  if (order < CDateTime::kMonthDayYear || order > CDateTime::kDayMonthYear) {
    order = CDateTime::kMonthDayYear;
  }
  CDateTime date(year, month, day, 0, 0, 0);
  const std::string& formatted = date.FormatDate(order, CDateTime::DateSeparator(order), 4);
  return QString::fromStdString(CDateTime::DisplayDate(formatted));
}

}  // namespace zw
