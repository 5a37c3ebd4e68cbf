// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

#include "locations/locationvalues.h"
#include "platform/translatable.h"
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
// hour, its daylight-saving rule, and its tz database zone with the choice of following it.
// Changing the offset or the daylight-saving fields stops the place following its zone; only
// custom places may pick their zone.
class CLocationPropsDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kWeekdays[7] = {
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Sunday"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Monday"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Tuesday"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Wednesday"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Thursday"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Friday"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Staturday")};
  static constexpr const char* kOrdinals[5] = {QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "1st"),
                                               QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "2nd"),
                                               QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "3rd"),
                                               QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "4th"),
                                               QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Last")};
  static constexpr const char* kMonths[12] = {
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "January"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "February"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "March"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "April"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "May"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "June"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "July"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "August"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "September"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "October"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "November"),
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "December")};
  static constexpr const char* kFollowText =
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "&Follow the time zone database");
  static constexpr const char* kUnknownZone =
      ZW_TR_NOOP("Core", "Choose a time zone from the list, or leave it empty.");
  static constexpr const char* kNoChangeText =
      QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "No change of offset coming");

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
  QComboBox* ZoneBox() const { return m_zone; }
  QCheckBox* FollowBox() const { return m_follow; }
  // The place's next change of offset; null when adding a place.
  QLabel* NextChangeLabel() const { return m_nextChange; }

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
  void BuildZoneControls(QLayout* layout, int type);
  void ShowNextChange(QLayout* layout, const CLocation& location);
  void SetZone(const std::string& zone, bool follows);
  // The user changed the offset or the rule: the stored rule serves from now on.
  void StopFollowing();
  void OnZoneEdited();
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
  QComboBox* m_zone = nullptr;
  QCheckBox* m_follow = nullptr;
  QLabel* m_nextChange = nullptr;
  // Set while the dialog fills its own fields, which are no change of the user's.
  bool m_filling = false;
};

}  // namespace zw
