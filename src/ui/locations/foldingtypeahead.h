// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace zw {

// Typing in a location tree jumps to the first item whose text begins with what was typed,
// ignoring case and accents, so "zur" finds "Zürich" and "lodz" finds "Łódź". Letters typed
// in quick succession extend the search, as the tree's own type-ahead does.
class CFoldingTypeAhead : public QObject {
  Q_OBJECT

 public:
  // For a tree that makes its items lazily: the first item not yet made whose folded text
  // starts with the folded typed text, made on the spot; nullptr when there is none.
  using FindUnmade = std::function<QTreeWidgetItem*(const std::string& folded)>;

  explicit CFoldingTypeAhead(QTreeWidget* tree, FindUnmade findUnmade = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Search(const QString& typed);

  QTreeWidget* m_tree;
  FindUnmade m_findUnmade;
  QString m_typed;
  QElapsedTimer m_sinceLastKey;
};

}  // namespace zw
