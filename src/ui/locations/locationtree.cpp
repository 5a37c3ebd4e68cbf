#include "ui/locations/locationtree.h"

#include <QTreeWidget>

#include "locations/locationdb.h"
#include "ui/platform/latin1.h"

namespace zw {

CLocationTree::CLocationTree(QTreeWidget* tree, const CLocationDB& db, int slot)
    : m_tree(tree), m_db(db), m_slot(slot) {
  m_tree->setHeaderHidden(true);
  m_tree->setColumnCount(1);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
}

int CLocationTree::TypeOfView(int view) {
  switch (view) {
    case kAreaCode:
      return CLocation::kAreaCode;
    case kCustomList:
      return CLocation::kCustom;
    default:
      return CLocation::kCity;
  }
}

void CLocationTree::ClearHandles() const {
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    m_db.At(i)->SetTreeHandle(static_cast<std::size_t>(m_slot), nullptr);
  }
}

QTreeWidgetItem* CLocationTree::AddItem(QTreeWidgetItem* group, CLocation* location) {
  auto* item = group != nullptr ? new QTreeWidgetItem(group) : new QTreeWidgetItem(m_tree);
  item->setText(0, Latin1(location->Name()));
  location->SetTreeHandle(static_cast<std::size_t>(m_slot), item);
  return item;
}

void CLocationTree::Fill(int view) {
  m_view = view >= 0 && view < kViewCount ? view : kCountryCity;
  m_tree->setUpdatesEnabled(false);
  m_tree->clear();
  ClearHandles();
  const int type = TypeOfView(m_view);
  QTreeWidgetItem* group = nullptr;
  const std::string* groupName = nullptr;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    CLocation* location = m_db.At(i);
    if (location->GetType() != type) {
      continue;
    }
    if (m_view == kCity) {
      AddItem(nullptr, location);
      continue;
    }
    // The array is ordered by type, country and name, so a group's members arrive together.
    if (groupName == nullptr || *groupName != location->Country()) {
      group = new QTreeWidgetItem(m_tree);
      group->setText(0, Latin1(location->Country()));
      groupName = &location->Country();
    }
    AddItem(group, location);
  }
  if (m_view == kCity) {
    m_tree->sortItems(0, Qt::AscendingOrder);
  }
  m_tree->setUpdatesEnabled(true);
}

void CLocationTree::ChangeView(int view) {
  const CLocation* keep = Selected();
  Fill(view);
  if (keep != nullptr) {
    Select(keep);
  }
  m_tree->setFocus();
}

CLocation* CLocationTree::Selected() const {
  const QTreeWidgetItem* item = m_tree->currentItem();
  if (item == nullptr || !item->isSelected()) {
    return nullptr;
  }
  // The item's own record of its location could outlive a deleted one; the database is the
  // authority on which locations exist.
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    CLocation* location = m_db.At(i);
    if (location->TreeHandle(static_cast<std::size_t>(m_slot)) == static_cast<const void*>(item)) {
      return location;
    }
  }
  return nullptr;
}

bool CLocationTree::Select(const CLocation* location) {
  if (location == nullptr) {
    return false;
  }
  auto* item =
      static_cast<QTreeWidgetItem*>(location->TreeHandle(static_cast<std::size_t>(m_slot)));
  if (item == nullptr) {
    return false;
  }
  m_tree->setCurrentItem(item);
  item->setSelected(true);
  m_tree->scrollToItem(item);
  return true;
}

bool CLocationTree::SelectByName(const std::string& name, const std::string& country) {
  const int index = m_db.Find(name, country);
  return index >= 0 && Select(m_db.At(static_cast<std::size_t>(index)));
}

}  // namespace zw
