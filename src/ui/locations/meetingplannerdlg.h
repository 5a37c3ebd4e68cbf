// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <vector>

#include "settings/workinghoursfile.h"

class QDateEdit;
class QLabel;
class QTableWidget;
class QTimeEdit;

namespace zw {

class CLocation;

// Plans a meeting across up to ten places: one row per place, one column per hour of the
// chosen date in the first place's time, each cell the place's own hour, shaded by its
// working hours and by night. Clicking a column shows that hour everywhere and puts a plain
// summary on the clipboard. Working hours are kept per place in their own small file.
class CMeetingPlannerDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle =
      QT_TRANSLATE_NOOP("zw::CMeetingPlannerDlg", "Plan a Meeting");
  static constexpr const char* kNoGoodHour =
      QT_TRANSLATE_NOOP("zw::CMeetingPlannerDlg", "No hour is inside everyone's working hours.");

  // places: the rows, the first sets the columns' time; those past ten are left out.
  CMeetingPlannerDlg(std::vector<const CLocation*> places, std::string hoursPath,
                     QWidget* parent = nullptr);

  QDateEdit* DateEdit() const { return m_date; }
  QTableWidget* Grid() const { return m_grid; }
  QTimeEdit* StartEdit() const { return m_start; }
  QTimeEdit* EndEdit() const { return m_end; }
  QLabel* SummaryLabel() const { return m_summary; }

  // Shows the column's hour at every place and copies the summary to the clipboard.
  void ChooseColumn(int column);

 private:
  void Build();
  void Refill();
  void ShowHoursOf(int row);
  void OnHoursEdited();
  std::string KeyOf(const CLocation& place) const;

  std::vector<const CLocation*> m_places;
  CWorkingHoursFile m_hoursFile;
  CWorkingHoursFile::Hours m_hours;
  QDateEdit* m_date = nullptr;
  QTableWidget* m_grid = nullptr;
  QLabel* m_hoursLabel = nullptr;
  QTimeEdit* m_start = nullptr;
  QTimeEdit* m_end = nullptr;
  QLabel* m_good = nullptr;
  QLabel* m_summary = nullptr;
  bool m_filling = false;
};

}  // namespace zw
