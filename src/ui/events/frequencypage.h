// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <string>

#include "events/eventextras.h"
#include "platform/translatable.h"
#include "timecore/datetime.h"

class QSpinBox;

namespace zw {

class CEvent;
class CLocation;
class IMessageSink;

// What a page needs to read and check what the user typed.
struct PageContext {
  IMessageSink& messages;
  int dateOrder;
  int clockType;
  const CLocation* location;  // the one selected in the tree, or null
};

// One frequency of an event: its time and the fields that say which days. Only one page holds
// settings at a time; switching pages discards the old one's.
class CFrequencyPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTimeMissing = ZW_TR_NOOP("Core", "Please enter the alarm time.");

  CFrequencyPage(int dateOrder, int clockType, QWidget* parent = nullptr);

  virtual int Frequency() const = 0;
  // The question asked before a filled page is left.
  virtual const char* DiscardQuestion() const = 0;

  // Shows an existing event's settings in the user's formats.
  virtual void Fill(const CEvent& alarm);
  virtual void Reset();
  // Checks the fields in order; on success writes them into the event in its fixed forms.
  virtual bool ValidateAndStore(CEvent& alarm, const PageContext& context);

  QLineEdit* TimeEdit() const { return m_time; }
  // The start day of the pages that have one, else null.
  QLineEdit* StartEdit() const { return m_start; }
  // The page's last field, where Tab leaves the page for the dialog's Action button.
  virtual QWidget* LastField() const { return m_time; }
  bool IsFilled() const;

 protected:
  // A row for the page's own fields, under the time.
  void AddRow(const QString& label, QWidget* field);
  bool Fail(const PageContext& context, const std::string& message, QWidget* focus);
  // "Every [n] <unit>" for the repeats that skip days, weeks or months.
  QSpinBox* AddIntervalRow(const QString& unit);
  // Writes the repeat into the event, keeping its on/off. The richer repeats count from a
  // start day: `start` when given, else the one the event has, else today at its place.
  static void StoreRepeat(CEvent& alarm, const PageContext& context, EventExtras repeat,
                          const CDateTime* start = nullptr);
  // "Starting [date]", the day a repeat of every few days or weeks counts from; open while
  // `interval` is above 1.
  void AddStartRow(QSpinBox* interval);
  // Shows the event's start day when it holds a repeat that counts from one.
  void FillStart(const CEvent& alarm, bool counted);
  // The start day entered, today at the place when none; false once the user has been told
  // what is wrong with it.
  bool ReadStart(const PageContext& context, CDateTime& day);

  int m_dateOrder;
  int m_clockType;

 private:
  QLineEdit* m_time;
  QLineEdit* m_start = nullptr;
};

}  // namespace zw
