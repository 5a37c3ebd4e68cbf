// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

#include "convert/currencyfile.h"
#include "convert/ratedates.h"
#include "ui/convert/amountfields.h"
#include "ui/widgets/appcontext.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zw {

class CClockSettings;
class CDialogPositions;
class CNumEdit;
class IFileLayer;
class IMessageSink;
class ISettingsStore;

// Converts an amount between two currencies of the rate table "CURRENCY.DAT".
class CCurrencyDlg : public QDialog {
  Q_OBJECT

 public:
  using Side = CAmountFields::Side;
  static constexpr Side kLeft = CAmountFields::kLeft;
  static constexpr Side kRight = CAmountFields::kRight;
  static constexpr const char* kTitle =
      QT_TRANSLATE_NOOP("zw::CCurrencyDlg", "Currency Conversion");
  // The same words on both sides, each with a key of its own.
  static constexpr const char* kQuantityLabels[] = {
      QT_TRANSLATE_NOOP("zw::CCurrencyDlg", "&Quantity:"),
      QT_TRANSLATE_NOOP("zw::CCurrencyDlg", "Q&uantity:")};

  // Reads the rate table at once; when that fails the user is told and the dialog is done
  // before it was ever shown (see Failed()).
  explicit CCurrencyDlg(const AppContext& context, QWidget* parent = nullptr);

  // Opens the dialog modally over `parent` (the clock) and returns when it is closed.
  static void Run(const AppContext& context, QWidget* parent);

  bool Failed() const { return m_failed; }
  // A dialog whose table failed returns Rejected without showing itself.
  int exec() override;
  // Every way of closing ends here: the chosen currencies are saved.
  void done(int result) override;

  QComboBox* List(Side side) const { return m_lists[side]; }
  CNumEdit* Field(Side side) const { return m_amounts->Field(side); }
  QPushButton* EqualsButton() const { return m_equals; }
  QPlainTextEdit* DescriptionBox() const { return m_description; }
  // The day the chosen currency's rate dates from.
  QLabel* RateDate(Side side) const { return m_rateDates[side]; }

  // A rate never updated here is the table's own, whose description tells its date.
  static constexpr const char* kRateAsSupplied =
      QT_TRANSLATE_NOOP("zw::CCurrencyDlg", "Rate as supplied");

 private:
  void Build();
  bool Load();
  void Fill();
  void Connect();
  void OnEquals();
  // Converts the amount of side `from` into the other side's currency.
  void Convert(Side from);
  void StoreChoices();
  void ShowRateDate(Side side);

  CClockSettings& m_settings;
  ISettingsStore& m_store;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  CDialogPositions& m_positions;
  CCurrencyFile m_table;
  CRateDates m_dates;
  bool m_failed = false;

  CAmountFields* m_amounts = nullptr;
  std::array<QComboBox*, 2> m_lists{};
  QPushButton* m_equals = nullptr;
  QPlainTextEdit* m_description = nullptr;
  std::array<QLabel*, 2> m_rateDates{};
};

}  // namespace zw
