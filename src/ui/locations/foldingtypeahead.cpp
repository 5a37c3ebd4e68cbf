// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/foldingtypeahead.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "locations/namefolding.h"

namespace zw {

namespace {

std::string Folded(const QString& text) {
  return CNameFolding::FoldUtf8(text.toUtf8().toStdString());
}

}  // namespace

CFoldingTypeAhead::CFoldingTypeAhead(QTreeWidget* tree, FindUnmade findUnmade)
    : QObject(tree), m_tree(tree), m_findUnmade(std::move(findUnmade)) {
  tree->installEventFilter(this);
}

bool CFoldingTypeAhead::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_tree || event->type() != QEvent::KeyPress) {
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  const bool plain = (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
  if (!plain || text.isEmpty() || !text.at(0).isPrint() || text.at(0).isSpace()) {
    return false;
  }
  if (!m_sinceLastKey.isValid() ||
      m_sinceLastKey.elapsed() > QApplication::keyboardInputInterval()) {
    m_typed.clear();
  }
  m_sinceLastKey.start();
  m_typed += text;
  return Search(m_typed);
}

bool CFoldingTypeAhead::Search(const QString& typed) {
  const std::string wanted = Folded(typed);
  QTreeWidgetItem* found = nullptr;
  for (QTreeWidgetItemIterator it(m_tree, QTreeWidgetItemIterator::NotHidden); *it; ++it) {
    if (Folded((*it)->text(0)).starts_with(wanted)) {
      found = *it;
      break;
    }
  }
  if (found == nullptr && m_findUnmade) {
    found = m_findUnmade(wanted);
  }
  if (found == nullptr) {
    return false;  // the tree's own handling of the key goes on
  }
  m_tree->setCurrentItem(found);
  m_tree->scrollToItem(found);
  return true;
}

}  // namespace zw
