// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/locationtree.h"

#include <QCollator>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "locations/locationdb.h"
#include "locations/namefolding.h"
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

// Enough rows for any screen; each later batch doubles what is there, so even the end of a
// quarter of a million places is reached in a few steps.
constexpr std::size_t kFirstFlatBatch = 256;

}  // namespace

struct CLocationTree::Entry {
  CLocation* location;
  QString name;
};

CLocationTree::CLocationTree(QTreeWidget* tree, const CLocationDB& db) : m_tree(tree), m_db(db) {
  m_tree->setHeaderHidden(true);
  m_tree->setColumnCount(1);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(m_tree, &QTreeWidget::itemExpanded, this, &CLocationTree::FillGroup);
  connect(m_tree->verticalScrollBar(), &QScrollBar::valueChanged, this, &CLocationTree::OnScrolled);
  // Owned by the tree.
  new CFoldingTypeAhead(m_tree, [this](const std::string& folded) { return FindUnmade(folded); });
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
  m_flat.clear();
  m_flatMade = 0;
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
    FillFlat(type);
  } else {
    FillGrouped(type);
  }
  m_tree->setUpdatesEnabled(true);
}

void CLocationTree::FillFlat(int type) {
  const QCollator collator = DisplayCollator();
  // The database keeps each country's places together, so each country is ranked once.
  std::vector<const std::string*> countries;
  struct Keyed {
    CLocation* location;
    QCollatorSortKey name;
    std::size_t country;
  };
  std::vector<Keyed> keyed;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    CLocation* location = m_db.At(i);
    if (location->GetType() != type) {
      continue;
    }
    if (countries.empty() || *countries.back() != location->Country()) {
      countries.push_back(&location->Country());
    }
    // A sort key per name costs one collation each instead of one per comparison.
    keyed.push_back({location, collator.sortKey(Latin1(location->Name())), countries.size() - 1});
  }
  std::vector<std::size_t> byCountry(countries.size());
  for (std::size_t i = 0; i < byCountry.size(); ++i) {
    byCountry[i] = i;
  }
  std::stable_sort(byCountry.begin(), byCountry.end(), [&](std::size_t a, std::size_t b) {
    return collator.compare(Latin1(*countries[a]), Latin1(*countries[b])) < 0;
  });
  std::vector<std::size_t> rank(countries.size());
  for (std::size_t i = 0; i < byCountry.size(); ++i) {
    rank[byCountry[i]] = i;
  }
  // Stable, so texts the collation calls equal keep the database's order.
  std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
    const int byName = a.name.compare(b.name);
    return byName != 0 ? byName < 0 : rank[a.country] < rank[b.country];
  });
  m_flat.reserve(keyed.size());
  for (const Keyed& k : keyed) {
    m_flat.push_back(k.location);
  }
  if (!m_flat.empty()) {
    MakeFlatItems(std::min(m_flat.size(), kFirstFlatBatch) - 1);
  }
}

std::string CLocationTree::FlatText(std::size_t position) const {
  // Places that share a name are told apart by their country.
  const std::string& name = m_flat[position]->Name();
  const bool shared = (position > 0 && m_flat[position - 1]->Name() == name) ||
                      (position + 1 < m_flat.size() && m_flat[position + 1]->Name() == name);
  return shared ? name + " (" + m_flat[position]->Country() + ")" : name;
}

void CLocationTree::MakeFlatItems(std::size_t last) {
  for (; m_flatMade <= last && m_flatMade < m_flat.size(); ++m_flatMade) {
    AddItem(nullptr, m_flat[m_flatMade], Latin1(FlatText(m_flatMade)));
  }
}

void CLocationTree::OnScrolled(int value) {
  const QScrollBar* bar = m_tree->verticalScrollBar();
  if (m_flatMade < m_flat.size() && value >= bar->maximum() - bar->pageStep()) {
    MakeFlatItems(2 * m_flatMade - 1);
  }
}

QTreeWidgetItem* CLocationTree::FindUnmade(const std::string& folded) {
  for (std::size_t i = m_flatMade; i < m_flat.size(); ++i) {
    if (CNameFolding::FoldLatin1(FlatText(i)).starts_with(folded)) {
      MakeFlatItems(i);
      return m_itemOf[m_flat[i]];
    }
  }
  return nullptr;
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
    entries.push_back({location, Latin1(location->Name())});
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
  if (location->GetType() != TypeOfView(m_view)) {
    return nullptr;
  }
  if (m_view == kCity) {
    const auto unmade = m_flat.begin() + static_cast<std::ptrdiff_t>(m_flatMade);
    const auto at = std::find(unmade, m_flat.end(), location);
    if (at == m_flat.end()) {
      return nullptr;
    }
    MakeFlatItems(static_cast<std::size_t>(at - m_flat.begin()));
    return m_itemOf[location];
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
