// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "locations/comparetimes.h"
#include "ui/widgets/appcontext.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace zw {

class CClockSettings;
class CDialogPositions;
class CLocation;
class CLocationDB;
class CLocationTree;
class IMessageSink;

// Two locations side by side at one moment, now or a time entered for one of them, with a
// sentence that says how far apart their clocks are.
class CCompareTimeDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CCompareTimeDlg", "Compare Time");
  enum Side { kLeft = 0, kRight = 1 };

  explicit CCompareTimeDlg(const AppContext& context, QWidget* parent = nullptr);
  ~CCompareTimeDlg() override;

  // Opens the dialog modally over `parent` (the clock) and returns when it is closed.
  static void Run(const AppContext& context, QWidget* parent);

  // Escape, the window's close button and the program closing it all end here.
  void done(int result) override;

  const CCompareTimes& Comparison() const { return m_compare; }
  QComboBox* ListBy() const { return m_listBy; }
  QTreeWidget* Tree(Side side) const { return m_treeViews[side]; }
  CLocationTree& Locations(Side side) const { return *m_trees[side]; }
  QPushButton* SelectTimeButton(Side side) const { return m_selectTime[side]; }
  QPushButton* CurrentTimeButton() const { return m_currentTime; }
  QLabel* TimeLine(Side side) const { return m_lines[side]; }
  QLabel* SentenceLine() const { return m_sentence; }
  QPushButton* PlanButton() const { return m_plan; }
  // The planner's rows: the places selected here, then the clock's, at most ten.
  std::vector<const CLocation*> PlannerPlaces() const;

 private:
  void Build();
  QLabel* MakeLine(bool wrap);
  void Restore();
  void Connect();
  void OnSelectionChanged();
  void OnViewChanged(int view);
  void OnCurrentTime();
  void OnPlan();
  void OnSelectTime(Side side);
  void EnableButtons();
  void StoreSelections();
  void ShowComparison();
  void ShowTexts(const CCompareTimes::Texts& texts);

  CLocationDB& m_db;
  CClockSettings& m_settings;
  IMessageSink& m_messages;
  CDialogPositions& m_positions;
  CCompareTimes m_compare;

  QComboBox* m_listBy = nullptr;
  std::array<QTreeWidget*, 2> m_treeViews{};
  std::array<std::unique_ptr<CLocationTree>, 2> m_trees;
  std::array<QPushButton*, 2> m_selectTime{};
  QPushButton* m_currentTime = nullptr;
  std::array<QLabel*, 2> m_lines{};
  QLabel* m_sentence = nullptr;
  QPushButton* m_plan = nullptr;
};

}  // namespace zw
