// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "support/menutext.h"

// What the windowed tests do the way a user would: answer the next modal dialog, click where
// a person presses, read what a list offers.
namespace zw::test {

// Runs `body` on the next modal dialog of type T once it is open.
template <typename T>
void OnNextModal(std::function<void(T*)> body) {
  QTimer::singleShot(0, [body] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    body(dialog);
  });
}

// Calls `start`, which should open a modal Dialog, drives it, and closes it if `drive` left it
// open. False when no such dialog opened.
template <typename Dialog>
bool WhileModal(const std::function<void()>& start, const std::function<void(Dialog&)>& drive) {
  bool seen = false;
  // A timer of this frame, so that a start that opens nothing leaves no callback behind.
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    seen = dialog != nullptr;
    if (dialog == nullptr) {
      return;
    }
    drive(*dialog);
    if (dialog->isVisible()) {
      dialog->reject();
    }
  });
  timer.start(0);
  start();
  return seen;
}

// A click where the user would press: radios and check boxes only answer on their mark and
// text, which a short text leaves well left of the centre.
inline void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

inline QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) {
    items << box->itemText(i);
  }
  return items;
}

inline QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) {
    items << list->item(i)->text();
  }
  return items;
}

// Opens every group first: a location tree makes a group's items when it is expanded.
inline QTreeWidgetItem* FindItem(QTreeWidget* tree, const QString& text) {
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    tree->expandItem(tree->topLevelItem(i));
  }
  const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.first();
}

inline bool HasLabel(const QWidget& window, const char* text) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (PlainText(label->text()) == QLatin1String(text)) {
      return true;
    }
  }
  return false;
}

}  // namespace zw::test
