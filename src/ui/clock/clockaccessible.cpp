// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clockaccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "ui/clock/clockwnd.h"

namespace zw {

namespace {

// One clock line. It has no object of its own, so it asks the window for everything and
// stays valid only while the window has that line.
class CClockLineAccessible : public QAccessibleInterface {
 public:
  CClockLineAccessible(CClockWnd* clock, int line) : m_clock(clock), m_line(line) {}

  bool isValid() const override {
    return m_clock != nullptr && m_line < static_cast<int>(m_clock->Face().lines.size());
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_clock ? m_clock->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(m_clock);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && isValid() ? m_clock->SpokenText(Line()) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) {
      return {};
    }
    const QRect r = m_clock->LineRect(Line());
    return QRect(m_clock->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    state.invalid = !isValid();
    return state;
  }

 private:
  std::size_t Line() const { return static_cast<std::size_t>(m_line); }

  QPointer<CClockWnd> m_clock;
  int m_line;
};

// The clock window: its lines first, then its own widgets (the toolbar).
class CClockWndAccessible : public QAccessibleWidget {
 public:
  explicit CClockWndAccessible(CClockWnd* clock)
      : QAccessibleWidget(clock, QAccessible::Window), m_clock(clock) {}
  ~CClockWndAccessible() override {
    for (const QAccessible::Id id : m_lines) {
      QAccessible::deleteAccessibleInterface(id);
    }
  }

  int childCount() const override { return Lines() + QAccessibleWidget::childCount(); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0) {
      return nullptr;
    }
    if (index >= Lines()) {
      return QAccessibleWidget::child(index - Lines());
    }
    // Each line keeps one interface, so its id stays the same while it is on the clock.
    while (static_cast<int>(m_lines.size()) <= index) {
      const int line = static_cast<int>(m_lines.size());
      m_lines.push_back(
          QAccessible::registerAccessibleInterface(new CClockLineAccessible(m_clock, line)));
    }
    return QAccessible::accessibleInterface(m_lines[static_cast<std::size_t>(index)]);
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < Lines(); ++i) {
      if (i < static_cast<int>(m_lines.size()) &&
          QAccessible::accessibleInterface(m_lines[static_cast<std::size_t>(i)]) == child) {
        return i;
      }
    }
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget < 0 ? -1 : Lines() + widget;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = m_clock->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < Lines(); ++i) {
      if (m_clock->LineRect(static_cast<std::size_t>(i)).contains(local)) {
        return child(i);
      }
    }
    return QAccessibleWidget::childAt(x, y);
  }

 private:
  int Lines() const { return static_cast<int>(m_clock->Face().lines.size()); }

  CClockWnd* m_clock;
  mutable std::vector<QAccessible::Id> m_lines;
};

QAccessibleInterface* Create(const QString& className, QObject* object) {
  auto* clock = qobject_cast<CClockWnd*>(object);
  if (clock == nullptr || className != QLatin1String(CClockWnd::staticMetaObject.className())) {
    return nullptr;
  }
  return new CClockWndAccessible(clock);
}

}  // namespace

void InstallClockAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Create);
    return true;
  }();
  (void)installed;
}

}  // namespace zw
