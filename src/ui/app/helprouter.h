// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <span>

#include "ui/app/helpwindow.h"

class QWidget;

namespace zw {

// F1 in any of the program's dialogs opens that dialog's own help page (the clock has its
// own F1, for the contents). Installed on the application, it sees every key press.
class CHelpRouter : public QObject {
  Q_OBJECT

 public:
  struct Page {
    const QMetaObject* window;
    const char* page;  // "file.html" or "file.html#anchor" under :/help
  };
  // Which page belongs to which dialog or property page.
  static std::span<const Page> Pages();
  // The page of the first of `widget` and its parents that has one; empty when none has.
  static QString PageFor(const QWidget* widget);

  explicit CHelpRouter(QObject* parent = nullptr);
  ~CHelpRouter() override;

  // Opens `page` over `near`. While a modal dialog runs, only its own windows take input, so
  // the help window then belongs to that dialog and goes with it.
  void Show(const QString& page, QWidget* near);
  // The help window shown last, if it is still there.
  CHelpWindow* Window() const { return m_last; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<CHelpWindow> m_shared;
  QPointer<CHelpWindow> m_modal;
  QPointer<CHelpWindow> m_last;
};

}  // namespace zw
