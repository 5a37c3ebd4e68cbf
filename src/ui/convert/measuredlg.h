// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "convert/measurefile.h"
#include "ui/convert/amountfields.h"
#include "ui/widgets/appcontext.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace zw {

class CClockSettings;
class CDialogPositions;
class CNumEdit;
class IFileLayer;
class IMessageSink;
class ISettingsStore;

// Converts a quantity between two units of one category of the unit table "MEASURE.DAT";
// each side picks a unit system and a unit of it.
class CMeasureDlg : public QDialog {
  Q_OBJECT

 public:
  using Side = CAmountFields::Side;
  static constexpr Side kLeft = CAmountFields::kLeft;
  static constexpr Side kRight = CAmountFields::kRight;
  static constexpr const char* kTitle =
      QT_TRANSLATE_NOOP("zw::CMeasureDlg", "Measurement Conversion");
  // The radio buttons of a side, in the order of their system keys "1", "2", "3".
  static constexpr std::array<const char*, 3> kSystemNames = {
      QT_TRANSLATE_NOOP("zw::CMeasureDlg", "Metric"), QT_TRANSLATE_NOOP("zw::CMeasureDlg", "U.S."),
      QT_TRANSLATE_NOOP("zw::CMeasureDlg", "Other")};

  // Reads the unit table at once; when that fails the user is told and the dialog is done
  // before it was ever shown (see Failed()).
  explicit CMeasureDlg(const AppContext& context, QWidget* parent = nullptr);

  // Opens the dialog modally over `parent` (the clock) and returns when it is closed.
  static void Run(const AppContext& context, QWidget* parent);

  bool Failed() const { return m_failed; }
  // A dialog whose table failed returns Rejected without showing itself.
  int exec() override;
  // Every way of closing ends here: category, systems and units are saved.
  void done(int result) override;

  QComboBox* CategoryList() const { return m_category; }
  QComboBox* UnitList(Side side) const { return m_units[side]; }
  // system: "1" Metric, "2" U.S., "3" Other.
  QRadioButton* SystemButton(Side side, char system) const;
  CNumEdit* Field(Side side) const { return m_amounts->Field(side); }
  QPushButton* EqualsButton() const { return m_equals; }

 private:
  void Build();
  QWidget* BuildSide(Side side);
  bool Load();
  void Restore();
  void Connect();
  void OnCategory();
  void OnSystem(Side side);
  void OnEquals();
  // Converts the quantity of side `from` into the other side's unit.
  void Convert(Side from);
  void FillUnits(Side side);
  void FollowCategory();
  std::optional<std::size_t> UnitLine(Side side) const;
  void StoreChoices();

  CClockSettings& m_settings;
  ISettingsStore& m_store;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  CDialogPositions& m_positions;
  CMeasureFile m_table;
  std::vector<MeasureCategory> m_categories;
  bool m_failed = false;

  CAmountFields* m_amounts = nullptr;
  QComboBox* m_category = nullptr;
  std::array<QButtonGroup*, 2> m_systems{};
  std::array<QComboBox*, 2> m_units{};
  QPushButton* m_equals = nullptr;
};

}  // namespace zw
