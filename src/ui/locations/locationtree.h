#pragma once

#include <string>
#include <vector>

class QString;
class QTreeWidget;
class QTreeWidgetItem;

namespace zw {

class CLocation;
class CLocationDB;

// Fills a tree view with one "List by" view of the database and maps its selection back to a
// location. Each location records its item in this tree's handle slot, so two trees over the
// same database (the time comparison) do not disturb each other. Views show names in the
// user's language's order (the database keeps its byte order); in the flat City view, places
// that share a name show their country beside it.
class CLocationTree {
 public:
  enum View { kCountryCity = 0, kCity = 1, kAreaCode = 2, kCustomList = 3 };
  static constexpr int kViewCount = 4;
  static constexpr const char* kViewNames[kViewCount] = {"Country/City", "City", "Area Code",
                                                         "Custom List"};

  CLocationTree(QTreeWidget* tree, const CLocationDB& db, int slot);

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
  void ClearHandles() const;
  void FillFlat(const std::vector<Entry>& entries);
  void FillGrouped(const std::vector<Entry>& entries);
  QTreeWidgetItem* AddItem(QTreeWidgetItem* group, CLocation* location, const QString& text);

  QTreeWidget* m_tree;
  const CLocationDB& m_db;
  int m_slot;
  int m_view = kCountryCity;
};

}  // namespace zw
