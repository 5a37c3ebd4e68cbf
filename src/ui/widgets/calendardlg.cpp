// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/calendardlg.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "timecore/datetime.h"

namespace zw {

namespace {

constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CCalendarDlg", "Calendar");

}  // namespace

CCalendarDlg::CCalendarDlg(int year, int month, int day, QWidget* parent)
    : QDialog(parent),
      m_year(std::clamp(year, kFirstYear, kLastYear)),
      m_month(std::clamp(month, 1, 12)),
      m_day(std::clamp(day, 1, CDateTime::DaysInMonth(m_year, m_month))) {
  setWindowTitle(QCoreApplication::translate("zw::CCalendarDlg", kTitle));
  auto* layout = new QVBoxLayout(this);
  m_grid = new CMonthGrid(this);
  layout->addWidget(m_grid);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  m_grid->ShowMonth(m_year, m_month);
  MarkDefaultDay();
  RememberedDayButton()->setFocus();

  connect(m_grid, &CMonthGrid::monthChosen, this, &CCalendarDlg::MarkDefaultDay);
  connect(m_grid, &CMonthGrid::dayPressed, this, &CCalendarDlg::Pick);
}

// Enter picks the remembered day in whatever month is shown.
void CCalendarDlg::MarkDefaultDay() {
  RememberedDayButton()->setDefault(true);
}

QPushButton* CCalendarDlg::RememberedDayButton() const {
  const int shownDays = CDateTime::DaysInMonth(m_grid->ShownYear(), m_grid->ShownMonth());
  return m_grid->ButtonOfDay(std::min(m_day, shownDays));
}

void CCalendarDlg::Pick(int day) {
  m_year = m_grid->ShownYear();
  m_month = m_grid->ShownMonth();
  m_day = day;
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
