// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/missedwnd.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "events/event.h"

using namespace zw;

class MissedWndTest : public QObject {
  Q_OBJECT

 private slots:
  // Each occurrence is a row of time, place, message and what became of it; a row that asks
  // runs its occurrence once when told to, and a later absence adds rows below.
  void rowsTellWhatBecameOfEachOccurrence() {
    std::vector<MissedOccurrence> run;
    CMissedWnd window([&run](const MissedOccurrence& m) { run.push_back(m); });
    const auto tea = std::make_shared<CEvent>();
    CEvent::SetText(tea->Fields().messageText, "Kettle\r\non");
    const auto call = std::make_shared<CEvent>();
    CEvent::SetText(call->Fields().name, "Call");
    const CDateTime at(2026, 12, 8, 10, 0, 0);
    DisplayOptions display;
    display.hour24 = true;
    window.Add({{tea, "Berlin", at, at, MissedAction::kCovered},
                {tea, "Berlin", at, at, MissedAction::kRunLate},
                {call, "Tokyo", at, at, MissedAction::kSkip}},
               display);
    window.Add({{call, "Tokyo", at, at, MissedAction::kAsk}}, display);
    QTreeWidget* list = window.List();
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < CMissedWnd::kColumnCount; ++column) {
        cells << list->topLevelItem(row)->text(column);
      }
      rows << cells.join('|');
    }
    QCOMPARE(rows, (QStringList{"12/08/2026 10:00:00|Berlin|Kettle on|Covered by the later run",
                                "12/08/2026 10:00:00|Berlin|Kettle on|Ran late",
                                "12/08/2026 10:00:00|Tokyo|Call|Skipped",
                                "12/08/2026 10:00:00|Tokyo|Call|"}));

    auto* ask = qobject_cast<QPushButton*>(list->itemWidget(list->topLevelItem(3), 3));
    QVERIFY(ask != nullptr);
    ask->click();
    QCOMPARE(run.size() == 1 ? run[0].alarm : nullptr, call);
    QCOMPARE(list->topLevelItem(3)->text(3), CMissedWnd::ActionText(MissedAction::kRunLate));
    QTRY_VERIFY(list->itemWidget(list->topLevelItem(3), 3) == nullptr);
  }
};

QTEST_MAIN(MissedWndTest)
#include "missedwnd_test.moc"
