// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class QString;
class QTreeWidget;
class QTreeWidgetItem;

namespace zw {

class CLocation;
class CLocationDB;

// Fills a tree view with one "List by" view of the database and maps its selection back to a
// location. The tree keeps its own map between items and locations, so any number of trees
// can show the same database at once. Views show names in the user's language's order (the
// database keeps its byte order); in the flat City view, places that share a name show their
// country beside it. A grouped view makes a country's items only when the country is first
// expanded (or one of its places selected), and the flat view makes its items in growing
// batches as it is scrolled to the end of those made (or a later place is selected or typed),
// so a large database opens at once.
class CLocationTree : public QObject {
 public:
  enum View { kCountryCity = 0, kCity = 1, kAreaCode = 2, kCustomList = 3 };
  static constexpr int kViewCount = 4;
  static constexpr const char* kViewNames[kViewCount] = {
      QT_TRANSLATE_NOOP("zw::CLocationTree", "Country/City"),
      QT_TRANSLATE_NOOP("zw::CLocationTree", "City"),
      QT_TRANSLATE_NOOP("zw::CLocationTree", "Area Code"),
      QT_TRANSLATE_NOOP("zw::CLocationTree", "Custom List")};

  CLocationTree(QTreeWidget* tree, const CLocationDB& db);

  // The location type a view lists: cities for the first two, then area codes, then custom.
  static int TypeOfView(int view);

  void Fill(int view);
  // Fills another view, keeping the selected location selected when the new view shows it.
  void ChangeView(int view);
  int CurrentView() const { return m_view; }

  // The selected location, or null for a group item or no selection.
  CLocation* Selected() const;
  // Selects the location's item; false when this tree does not show it.
  bool SelectByName(const std::string& name, const std::string& country);
  bool Select(const CLocation* location);

  QTreeWidget* Tree() const { return m_tree; }

 private:
  struct Entry;
  void Clear();
  void FillFlat(int type);
  // Makes the flat view's items up to position `last` of its order.
  void MakeFlatItems(std::size_t last);
  void OnScrolled(int value);
  // The text of the flat view's item at `position`, in Latin-1.
  std::string FlatText(std::size_t position) const;
  QTreeWidgetItem* FindUnmade(const std::string& folded);
  void FillGrouped(int type);
  void FillGroup(QTreeWidgetItem* group);
  QTreeWidgetItem* AddItem(QTreeWidgetItem* group, CLocation* location, const QString& text);
  QTreeWidgetItem* ItemOf(const CLocation* location);

  QTreeWidget* m_tree;
  const CLocationDB& m_db;
  int m_view = kCountryCity;
  std::unordered_map<const QTreeWidgetItem*, CLocation*> m_locationOf;
  std::unordered_map<const CLocation*, QTreeWidgetItem*> m_itemOf;
  // Groups not yet filled, and every group by its country.
  std::unordered_map<const QTreeWidgetItem*, std::string> m_unfilled;
  std::unordered_map<std::string, QTreeWidgetItem*> m_groupOf;
  // The flat view's places in display order; the first m_flatMade have their items.
  std::vector<CLocation*> m_flat;
  std::size_t m_flatMade = 0;
};

}  // namespace zw
