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

CLocationTree::CLocationTree(QTreeWidget* tree, const CLocationDB& db) : m_tree(tree), m_db(db) {
  m_tree->setHeaderHidden(true);
  m_tree->setColumnCount(1);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(m_tree, &QTreeWidget::itemExpanded, this, &CLocationTree::FillGroup);
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

void CLocationTree::Clear() {
  m_tree->clear();
  m_locationOf.clear();
  m_itemOf.clear();
  m_unfilled.clear();
  m_groupOf.clear();
}

QTreeWidgetItem* CLocationTree::AddItem(QTreeWidgetItem* group, CLocation* location,
                                        const QString& text) {
  auto* item = group != nullptr ? new QTreeWidgetItem(group) : new QTreeWidgetItem(m_tree);
  item->setText(0, text);
  m_locationOf[item] = location;
  m_itemOf[location] = item;
  return item;
}

void CLocationTree::Fill(int view) {
  m_view = view >= 0 && view < kViewCount ? view : kCountryCity;
  m_tree->setUpdatesEnabled(false);
  Clear();
  const int type = TypeOfView(m_view);
  if (m_view == kCity) {
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < m_db.Count(); ++i) {
      CLocation* location = m_db.At(i);
      if (location->GetType() == type) {
        entries.push_back({location, Latin1(location->Name()), Latin1(location->Country())});
      }
    }
    FillFlat(entries);
  } else {
    FillGrouped(type);
  }
  m_tree->setUpdatesEnabled(true);
}

void CLocationTree::FillFlat(std::vector<Entry>& entries) {
  const QCollator collator = DisplayCollator();
  // Stable, so texts the collation calls equal keep the database's order.
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    const int byName = collator.compare(a.name, b.name);
    return byName != 0 ? byName < 0 : collator.compare(a.country, b.country) < 0;
  });
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

void CLocationTree::FillGrouped(int type) {
  struct Group {
    QString text;
    const std::string* country;
  };
  // The database keeps each country's places together.
  std::vector<Group> groups;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    const CLocation* location = m_db.At(i);
    if (location->GetType() == type &&
        (groups.empty() || *groups.back().country != location->Country())) {
      groups.push_back({Latin1(location->Country()), &location->Country()});
    }
  }
  const QCollator collator = DisplayCollator();
  std::stable_sort(groups.begin(), groups.end(), [&](const Group& a, const Group& b) {
    return collator.compare(a.text, b.text) < 0;
  });
  for (const Group& g : groups) {
    auto* group = new QTreeWidgetItem(m_tree);
    group->setText(0, g.text);
    group->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    m_unfilled[group] = *g.country;
    m_groupOf[*g.country] = group;
  }
}

void CLocationTree::FillGroup(QTreeWidgetItem* group) {
  const auto found = m_unfilled.find(group);
  if (found == m_unfilled.end()) {
    return;
  }
  const std::string country = found->second;
  m_unfilled.erase(found);
  const int type = TypeOfView(m_view);
  CLocation first;
  first.SetCountry(country);
  std::vector<Entry> entries;
  for (std::size_t i = m_db.InsertPosition(first, type); i < m_db.Count(); ++i) {
    CLocation* location = m_db.At(i);
    if (location->GetType() != type || location->Country() != country) {
      break;
    }
    entries.push_back({location, Latin1(location->Name()), QString()});
  }
  const QCollator collator = DisplayCollator();
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    return collator.compare(a.name, b.name) < 0;
  });
  for (const Entry& e : entries) {
    AddItem(group, e.location, e.name);
  }
  group->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* CLocationTree::ItemOf(const CLocation* location) {
  if (const auto found = m_itemOf.find(location); found != m_itemOf.end()) {
    return found->second;
  }
  if (m_view == kCity || location->GetType() != TypeOfView(m_view)) {
    return nullptr;
  }
  const auto group = m_groupOf.find(location->Country());
  if (group == m_groupOf.end()) {
    return nullptr;
  }
  FillGroup(group->second);
  const auto found = m_itemOf.find(location);
  return found != m_itemOf.end() ? found->second : nullptr;
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
  const auto found = m_locationOf.find(item);
  if (found == m_locationOf.end()) {
    return nullptr;
  }
  // The tree's record could outlive a deleted location; the database is the authority on
  // which locations exist.
  return m_db.IndexOf(found->second) >= 0 ? found->second : nullptr;
}

bool CLocationTree::Select(const CLocation* location) {
  if (location == nullptr) {
    return false;
  }
  QTreeWidgetItem* item = ItemOf(location);
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
