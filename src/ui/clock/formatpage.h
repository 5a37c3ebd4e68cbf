// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

class QCheckBox;
class QRadioButton;

namespace zw {

class CClockSettings;

// The "Format" page: what the clock shows and how its dates and times are written. The
// choices reach the settings only when the sheet applies or confirms them.
class CFormatPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CFormatPage", "Format");

  // settings must outlive the page.
  explicit CFormatPage(CClockSettings& settings, QWidget* parent = nullptr);

  // Reads the controls into the copies and the copies into the settings.
  void Store();

  QRadioButton* DateButton() const { return m_date; }
  QRadioButton* TimeButton() const { return m_time; }
  QRadioButton* BothButton() const { return m_both; }
  QRadioButton* DayFirstButton() const { return m_dayFirst; }
  QRadioButton* MonthFirstButton() const { return m_monthFirst; }
  QRadioButton* YearFirstButton() const { return m_yearFirst; }
  QCheckBox* FourDigitYearsBox() const { return m_fourDigitYears; }
  QRadioButton* TwelveHourButton() const { return m_twelveHour; }
  QRadioButton* TwentyFourHourButton() const { return m_twentyFourHour; }
  QCheckBox* SecondsBox() const { return m_seconds; }
  QCheckBox* LeadingZerosBox() const { return m_leadingZeros; }

 signals:
  void modified();

 private:
  struct Copies {
    bool fourDigitYears = true;
    bool showSeconds = true;
    bool leadingZeros = true;
    DisplayOptions::Mode displayMode = DisplayOptions::kDateAndTime;
    CDateTime::DateOrder dateOrder = CDateTime::kMonthDayYear;
    bool hour24 = false;
  };

  void Build();
  // Takes copies of the format fields and shows them.
  void Load();
  void ShowCopies();
  void OnClicked();
  void ReadRadios();
  void ReadChecks();

  CClockSettings& m_settings;
  Copies m_copies;
  QRadioButton* m_date = nullptr;
  QRadioButton* m_time = nullptr;
  QRadioButton* m_both = nullptr;
  QRadioButton* m_dayFirst = nullptr;
  QRadioButton* m_monthFirst = nullptr;
  QRadioButton* m_yearFirst = nullptr;
  QCheckBox* m_fourDigitYears = nullptr;
  QRadioButton* m_twelveHour = nullptr;
  QRadioButton* m_twentyFourHour = nullptr;
  QCheckBox* m_seconds = nullptr;
  QCheckBox* m_leadingZeros = nullptr;
};

}  // namespace zw
