// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "timecore/datetimeentry.h"

class QLineEdit;
class QPushButton;

namespace zw {

class IMessageSink;
struct PlaceTime;

// Asks for the local date and time of the comparison. With a place's converted time the edits
// start at its date and time, so the user can step on from the moment already compared;
// without one the date is today's and the time is left to the user.
class CEnterTimeDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle =
      QT_TRANSLATE_NOOP("zw::CEnterTimeDlg", "Enter Time for Comparison");

  // dateOrder: CDateTime::DateOrder; clockType: CDateTime::ClockMode. Warnings about the
  // typed texts go to `messages`.
  CEnterTimeDlg(const PlaceTime* converted, int dateOrder, int clockType, IMessageSink& messages,
                QWidget* parent = nullptr);

  // The entered local date and time, once OK has accepted both fields.
  const CDateTime& Value() const { return m_entry.Value(); }

  QLineEdit* DateEdit() const { return m_date; }
  QLineEdit* TimeEdit() const { return m_time; }
  QPushButton* CalendarButton() const { return m_calendar; }

  // Parses the date, then the time; a rejected field takes the focus and the dialog stays.
  void accept() override;

 private:
  struct Date {
    int year;
    int month;
    int day;
  };

  void Build();
  void Prefill(const PlaceTime* converted);
  void PickDate();
  // The date in the edit when it reads as one, else the one the dialog last put there.
  Date ShownDate() const;

  CDateTimeEntry m_entry;
  int m_dateOrder;
  int m_clockType;
  Date m_shown{};
  QLineEdit* m_date = nullptr;
  QLineEdit* m_time = nullptr;
  QPushButton* m_calendar = nullptr;
};

}  // namespace zw
