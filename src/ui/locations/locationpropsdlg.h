#pragma once

#include <QDialog>
#include <array>

#include "locations/locationvalues.h"
#include "ui/widgets/appcontext.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zw {

class CClockSettings;
class CLocation;

// Edits one location: name, the country or group it is located in, its offset with the half
// hour, and its daylight-saving rule.
class CLocationPropsDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kWeekdays[7] = {"Sunday",   "Monday", "Tuesday",  "Wednesday",
                                               "Thursday", "Friday", "Staturday"};
  static constexpr const char* kOrdinals[5] = {"1st", "2nd", "3rd", "4th", "Last"};
  static constexpr const char* kMonths[12] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};

  // location: the one to change, or null to add one of `type`.
  CLocationPropsDlg(const AppContext& context, const CLocation* location, int type,
                    QWidget* parent = nullptr);

  // The values after OK, trailing blanks removed.
  const LocationValues& Values() const { return m_values; }

  QLineEdit* NameEdit() const { return m_name; }
  QComboBox* CountryBox() const { return m_country; }
  QSpinBox* OffsetBox() const { return m_offset; }
  QLabel* ZoneNames() const { return m_zoneNames; }
  QCheckBox* HalfHourBox() const { return m_halfHour; }
  QCheckBox* DstBox() const { return m_dst; }
  QComboBox* RuleBox(int index) const { return m_rule[static_cast<std::size_t>(index)]; }
  QPushButton* CopyFromButton() const { return m_copyFrom; }

  void accept() override;

 private:
  void BuildControls(const CClockSettings& settings);
  void FillCountries(int type);
  void Load(const LocationValues& values);
  void SetUpHalfHour(int hours);
  void ShowZoneNames();
  void OnOffsetChanged(int hours);
  void OnDstToggled(bool on);
  void SetRule(const std::array<int, 8>& rule);
  void CopyFrom();
  LocationValues Read() const;

  AppContext m_context;
  const CLocation* m_location;
  LocationValues m_values;
  int m_copyView = -1;
  const CLocation* m_copyLocation = nullptr;

  QLineEdit* m_name = nullptr;
  QComboBox* m_country = nullptr;
  QSpinBox* m_offset = nullptr;
  QLabel* m_zoneNames = nullptr;
  QCheckBox* m_halfHour = nullptr;
  QCheckBox* m_dst = nullptr;
  std::array<QComboBox*, 8> m_rule{};
  QPushButton* m_copyFrom = nullptr;
};

}  // namespace zw
