// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "events/event.h"
#include "events/eventactions.h"
#include "events/eventsummary.h"
#include "platform/systemclocksetter.h"
#include "settings/filesettingsstore.h"
#include "support/fakeclock.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "ui/app/welcomedlg.h"
#include "ui/clock/aboutdlg.h"
#include "ui/clock/clockwnd.h"
#include "ui/clock/propertysheet.h"
#include "ui/convert/currencydlg.h"
#include "ui/convert/measuredlg.h"
#include "ui/events/eventactionsdlg.h"
#include "ui/events/eventeditdlg.h"
#include "ui/events/eventlistdlg.h"
#include "ui/events/eventsummarydlg.h"
#include "ui/events/scheduledlg.h"
#include "ui/locations/comparetimedlg.h"
#include "ui/locations/entertimedlg.h"
#include "ui/locations/locationlistdlg.h"
#include "ui/locations/locationpropsdlg.h"
#include "ui/locations/meetingplannerdlg.h"
#include "ui/locations/selectlocationdlg.h"
#include "ui/net/timesyncdlg.h"
#include "ui/net/updatedlg.h"
#include "ui/platform/alarmbox.h"
#include "ui/widgets/calendardlg.h"

using namespace zw;

namespace {

class RefusingSetter final : public ISystemClockSetter {
 public:
  bool SetUtcSeconds(std::int64_t) override { return false; }
  bool AdjustByMicroseconds(std::int64_t) override { return false; }
};

// Every dialog of the program, on temporary files, with one place and one event to show.
struct World {
  World() {
    auto tokyo = std::make_unique<CLocation>();
    tokyo->SetName("Tokyo");
    tokyo->SetCountry("Japan");
    tokyo->SetOffset(9);
    place = tokyo.get();
    db.Insert(std::move(tokyo));
    CEvent::SetText(alarm.Fields().locationName, "Tokyo");
  }

  test::FakeClock clock{2026, 12, 8, 12, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  CFileSettingsStore store{files, dir.Path() + "/SETTINGS"};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  const CLocation* place = nullptr;
  CEvent alarm;
  RefusingSetter setter;
  test::TestContext context{
      {.db = &db, .settings = &settings, .store = &store, .files = &files, .messages = &messages}};
  CClockWnd clockWnd{ClockServices{settings, store, db}};
};

using Maker = std::function<std::unique_ptr<QDialog>(World&)>;

std::vector<std::pair<const char*, Maker>> Dialogs() {
  const auto& c = [](World& w) -> const AppContext& { return w.context.Context(); };
  return {
      {"welcome", [](World&) { return std::make_unique<CWelcomeDlg>(); }},
      {"about", [](World&) { return std::make_unique<CAboutDlg>(CAboutDlg::InstalledCredits()); }},
      {"properties", [c](World& w) { return std::make_unique<CPropertySheet>(c(w), w.clockWnd); }},
      {"currency", [c](World& w) { return std::make_unique<CCurrencyDlg>(c(w)); }},
      {"measurement", [c](World& w) { return std::make_unique<CMeasureDlg>(c(w)); }},
      {"event actions",
       [](World& w) { return std::make_unique<CEventActionsDlg>(EventActions{}, w.messages); }},
      {"event edit", [c](World& w) { return std::make_unique<CEventEditDlg>(c(w), w.alarm); }},
      {"event list", [c](World& w) { return std::make_unique<CEventListDlg>(c(w)); }},
      {"event summary", [](World&) { return std::make_unique<CEventSummaryDlg>(EventSummary{}); }},
      {"schedule", [c](World& w) { return std::make_unique<CScheduleDlg>(c(w)); }},
      {"compare", [c](World& w) { return std::make_unique<CCompareTimeDlg>(c(w)); }},
      {"enter time",
       [](World& w) { return std::make_unique<CEnterTimeDlg>(nullptr, 0, 0, w.messages); }},
      {"location list",
       [c](World& w) { return std::make_unique<CLocationListDlg>(c(w), nullptr, [] {}); }},
      {"location properties",
       [c](World& w) { return std::make_unique<CLocationPropsDlg>(c(w), w.place, 1); }},
      {"meeting planner",
       [](World& w) {
         return std::make_unique<CMeetingPlannerDlg>(std::vector<const CLocation*>{w.place},
                                                     w.dir.File("hours.conf"));
       }},
      {"select location",
       [c](World& w) { return std::make_unique<CSelectLocationDlg>(c(w), 0, w.place); }},
      {"time sync",
       [c](World& w) {
         return std::make_unique<CTimeSyncDlg>(c(w), w.clock, w.setter, "ntp:127.0.0.1");
       }},
      {"update",
       [c](World& w) {
         return std::make_unique<CUpdateDlg>(
             c(w), [] {}, &w.clock);
       }},
      {"alarm", [](World&) { return std::make_unique<CAlarmBox>(QStringLiteral("Call"), 5); }},
      {"calendar", [](World&) { return std::make_unique<CCalendarDlg>(2026, 12, 8); }},
  };
}

bool TakesTab(const QWidget* w, const QWidget* dialog) {
  return (w->focusPolicy() & Qt::TabFocus) != 0 && w->focusProxy() == nullptr && w->isEnabled() &&
         w->isVisibleTo(dialog);
}

// OK, Cancel and Close answer Enter and Escape; every other button needs a key of its own.
bool AnswersEnterOrEscape(const QAbstractButton* button) {
  const auto* box = qobject_cast<const QDialogButtonBox*>(button->parentWidget());
  if (box == nullptr) {
    return false;
  }
  const QDialogButtonBox::ButtonRole role = box->buttonRole(const_cast<QAbstractButton*>(button));
  return role == QDialogButtonBox::AcceptRole || role == QDialogButtonBox::RejectRole;
}

// Presses Tab until the focus comes round again; every widget that had the focus. A date
// field takes Tab from section to section before it lets the focus go.
QList<QWidget*> WalkTab() {
  QList<QWidget*> seen;
  bool left = false;
  for (int i = 0; i < 300; ++i) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || (left && focus == seen.front())) {
      break;
    }
    left = left || (!seen.isEmpty() && focus != seen.front());
    seen << focus;
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return seen;
}

bool Reached(const QWidget* input, const QList<QWidget*>& seen) {
  // Of an exclusive set of radio buttons only the checked one is on the Tab chain; the arrow
  // keys choose among them.
  const bool radio = qobject_cast<const QRadioButton*>(input) != nullptr;
  return std::any_of(seen.begin(), seen.end(), [&](const QWidget* w) {
    return w == input || w->isAncestorOf(input) || input->isAncestorOf(w) ||
           (radio && qobject_cast<const QRadioButton*>(w) != nullptr &&
            w->parentWidget() == input->parentWidget());
  });
}

// What the page of `dialog` on show now fails at, one line per fault.
QStringList Faults(QWidget* dialog) {
  QStringList faults;
  const QList<QWidget*> seen = WalkTab();
  QSet<QKeySequence> keys;
  // Tab and the arrow keys reach a set of radio buttons; a key of its own is a bonus.
  const auto claim = [&](const QString& text, bool required = true) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (key.isEmpty() && !required) {
      return;
    }
    if (key.isEmpty()) {
      faults << QStringLiteral("no mnemonic: ") + text;
    } else if (keys.contains(key)) {
      faults << QStringLiteral("mnemonic taken twice: ") + text;
    }
    keys.insert(key);
  };
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(dialog)) {
      continue;
    }
    if (TakesTab(w, dialog) && !Reached(w, seen)) {
      faults << QStringLiteral("Tab never reaches ") + w->metaObject()->className() + ' ' +
                    w->objectName() + ' ' + w->property("text").toString();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
      // A caption names the field after it; other labels only show values.
      const QString text = label->text().trimmed();
      const bool caption =
          text.endsWith(QLatin1Char(':')) || !QKeySequence::mnemonic(text).isEmpty();
      // A caption of a value shown read-only needs no key: there is nothing to go to.
      if (caption && qobject_cast<QLabel*>(label->buddy()) != nullptr) {
        continue;
      }
      if (caption && label->buddy() == nullptr) {
        faults << QStringLiteral("no buddy: ") + text;
      } else if (caption) {
        claim(text);
      }
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      const QString text = button->text();
      const auto any = [&text](bool (QChar::*test)() const) {
        return std::any_of(text.begin(), text.end(), [test](QChar c) { return (c.*test)(); });
      };
      if (!text.isEmpty() && !any(&QChar::isLetterOrNumber) && button->accessibleName().isEmpty()) {
        faults << QStringLiteral("a screen reader hears only: ") + text;
      } else if (any(&QChar::isLetter) && !AnswersEnterOrEscape(button) &&
                 !qobject_cast<QTabBar*>(button->parentWidget())) {
        claim(text, qobject_cast<QRadioButton*>(button) == nullptr);
      }
    }
  }
  return faults;
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  // One sweep over every dialog: Tab reaches every enabled input of every page without getting
  // stuck, each caption has its field as buddy, and each key of a page is used once.
  void everyDialogIsUsableByKeyboardAlone() {
    QStringList faults;
    for (const auto& [name, make] : Dialogs()) {
      World world;
      const std::unique_ptr<QDialog> dialog = make(world);
      dialog->show();
      QApplication::setActiveWindow(dialog.get());
      if (!QTest::qWaitForWindowActive(dialog.get())) {
        faults << QString::fromLatin1(name) + ": never active";
        continue;
      }
      QTabWidget* tabs = dialog->findChild<QTabWidget*>();
      const int pages = tabs != nullptr ? tabs->count() : 1;
      for (int page = 0; page < pages; ++page) {
        if (tabs != nullptr) {
          tabs->setCurrentIndex(page);
          tabs->tabBar()->setFocus();
        }
        for (const QString& fault : Faults(dialog.get())) {
          faults << QString::fromLatin1(name) + QStringLiteral(" page %1: ").arg(page) + fault;
        }
      }
      dialog->hide();
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
