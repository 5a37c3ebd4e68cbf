#pragma once

#include <QLineEdit>
#include <QWidget>
#include <string>

#include "events/eventextras.h"

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
  static constexpr const char* kTimeMissing = "Please enter the alarm time.";

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
  // start day: the one the event has, else today at its place.
  static void StoreRepeat(CEvent& alarm, const PageContext& context, EventExtras repeat);

  int m_dateOrder;
  int m_clockType;

 private:
  QLineEdit* m_time;
};

}  // namespace zw
