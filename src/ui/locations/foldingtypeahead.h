#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTreeWidget;

namespace zw {

// Typing in a location tree jumps to the first item whose text begins with what was typed,
// ignoring case and accents, so "zur" finds "Zürich" and "lodz" finds "Łódź". Letters typed
// in quick succession extend the search, as the tree's own type-ahead does.
class CFoldingTypeAhead : public QObject {
  Q_OBJECT

 public:
  explicit CFoldingTypeAhead(QTreeWidget* tree);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Search(const QString& typed);

  QTreeWidget* m_tree;
  QString m_typed;
  QElapsedTimer m_sinceLastKey;
};

}  // namespace zw
