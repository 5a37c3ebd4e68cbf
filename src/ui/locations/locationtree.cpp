#include "ui/locations/locationtree.h"

#include <QCollator>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "locations/locationdb.h"
#include "ui/locations/foldingtypeahead.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

// The database keeps its byte order, which puts every accented letter after "z"; people look
// names up in their language's order, where "Liège" comes before "Livorno".
QCollator DisplayCollator() {
  QLocale locale;
  // The C locale's collation is the byte order again.
  if (locale.language() == QLocale::C) {
    locale = QLocale(QLocale::English, QLocale::UnitedStates);
  }
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

}  // namespace

struct CLocationTree::Entry {
  CLocation* location;
  QString name;
  QString country;
};

CLocationTree::CLocationTree(QTreeWidget* tree, const CLocationDB& db, int slot)
    : m_tree(tree), m_db(db), m_slot(slot) {
  m_tree->setHeaderHidden(true);
  m_tree->setColumnCount(1);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  new CFoldingTypeAhead(m_tree);  // owned by the tree
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

QTreeWidgetItem* CLocationTree::AddItem(QTreeWidgetItem* group, CLocation* location,
                                        const QString& text) {
  auto* item = group != nullptr ? new QTreeWidgetItem(group) : new QTreeWidgetItem(m_tree);
  item->setText(0, text);
  location->SetTreeHandle(static_cast<std::size_t>(m_slot), item);
  return item;
}

void CLocationTree::Fill(int view) {
  m_view = view >= 0 && view < kViewCount ? view : kCountryCity;
  m_tree->setUpdatesEnabled(false);
  m_tree->clear();
  ClearHandles();
  const int type = TypeOfView(m_view);
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    CLocation* location = m_db.At(i);
    if (location->GetType() == type) {
      entries.push_back({location, Latin1(location->Name()), Latin1(location->Country())});
    }
  }
  const QCollator collator = DisplayCollator();
  const bool flat = m_view == kCity;
  // Stable, so texts the collation calls equal keep the database's order.
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    const int first =
        flat ? collator.compare(a.name, b.name) : collator.compare(a.country, b.country);
    if (first != 0) {
      return first < 0;
    }
    return flat ? collator.compare(a.country, b.country) < 0 : collator.compare(a.name, b.name) < 0;
  });
  if (flat) {
    FillFlat(entries);
  } else {
    FillGrouped(entries);
  }
  m_tree->setUpdatesEnabled(true);
}

void CLocationTree::FillFlat(const std::vector<Entry>& entries) {
  // Places that share a name are told apart by their country.
  const auto shared = [&entries](std::size_t i) {
    const std::string& name = entries[i].location->Name();
    return (i > 0 && entries[i - 1].location->Name() == name) ||
           (i + 1 < entries.size() && entries[i + 1].location->Name() == name);
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    AddItem(nullptr, e.location,
            shared(i) ? e.name + QStringLiteral(" (") + e.country + QLatin1Char(')') : e.name);
  }
}

void CLocationTree::FillGrouped(const std::vector<Entry>& entries) {
  QTreeWidgetItem* group = nullptr;
  const std::string* groupName = nullptr;
  for (const Entry& e : entries) {
    if (groupName == nullptr || *groupName != e.location->Country()) {
      group = new QTreeWidgetItem(m_tree);
      group->setText(0, e.country);
      groupName = &e.location->Country();
    }
    AddItem(group, e.location, e.name);
  }
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
