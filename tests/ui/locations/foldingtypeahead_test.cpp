// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/foldingtypeahead.h"

#include <QTreeWidget>
#include <QtTest>

class FoldingTypeAheadTest : public QObject {
  Q_OBJECT

 private slots:
  // Each name is found by its plain spelling typed in one go, whatever its case and accents.
  void plainSpellingFindsEveryName() {
    QTreeWidget tree;
    const QStringList names{"Aachen", "Łódź", "Lyon", "Zagreb", "Zürich", "ÅLESUND"};
    const QStringList typed{"aac", "lod", "ly", "zag", "ZUR", "ales"};
    for (const QString& name : names) {
      tree.addTopLevelItem(new QTreeWidgetItem(QStringList{name}));
    }
    new zw::CFoldingTypeAhead(&tree);
    tree.show();
    for (qsizetype i = 0; i < names.size(); ++i) {
      QTest::qWait(QApplication::keyboardInputInterval() + 10);  // a fresh search
      QTest::keyClicks(&tree, typed[i]);
      QCOMPARE(tree.currentItem()->text(0), names[i]);
    }
  }
};

QTEST_MAIN(FoldingTypeAheadTest)
#include "foldingtypeahead_test.moc"
