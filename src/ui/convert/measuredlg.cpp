// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/convert/measuredlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "convert/converter.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/convert/waitcursor.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"
#include "ui/widgets/numedit.h"

namespace zw {

namespace {

// Radio button ids are the system keys' digits: 1 Metric, 2 U.S., 3 Other.
int SystemId(char system) {
  return system >= CMeasureFile::kMetricKey && system <= CMeasureFile::kOtherKey ? system - '0'
                                                                                 : -1;
}

char SystemKey(int id) {
  return static_cast<char>('0' + id);
}

char& StoredSystem(ClockSettings& fields, CAmountFields::Side side) {
  return side == CAmountFields::kLeft ? fields.measureLeftSystem : fields.measureRightSystem;
}

int& StoredUnit(ClockSettings& fields, CAmountFields::Side side) {
  return side == CAmountFields::kLeft ? fields.measureLeftUnit : fields.measureRightUnit;
}

}  // namespace

CMeasureDlg::CMeasureDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_settings(context.settings),
      m_store(context.store),
      m_files(context.files),
      m_messages(context.messages),
      m_positions(context.positions) {
  setWindowTitle(tr(kTitle));
  Build();
  if (!Load()) {
    m_failed = true;
    return;
  }
  Connect();
  m_positions.Place(this, CDialogPositions::kMeasurement);
}

void CMeasureDlg::Run(const AppContext& context, QWidget* parent) {
  CMeasureDlg dialog(context, parent);
  dialog.exec();
}

void CMeasureDlg::Build() {
  m_category = new QComboBox(this);
  m_amounts = new CAmountFields(this);
  auto* row = new QHBoxLayout;
  row->addWidget(BuildSide(kLeft), 1);
  m_equals = CAmountFields::MakeEqualsButton(this);
  row->addWidget(m_equals, 0, Qt::AlignVCenter);
  row->addWidget(BuildSide(kRight), 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_category, 0, Qt::AlignHCenter);
  layout->addLayout(row);
  layout->addWidget(new QLabel(CAmountFields::tr(CAmountFields::kPrecisionNote), this), 0,
                    Qt::AlignHCenter);
}

QWidget* CMeasureDlg::BuildSide(Side side) {
  auto* group = new QGroupBox(this);
  auto* layout = new QVBoxLayout(group);
  auto* radios = new QHBoxLayout;
  m_systems[side] = new QButtonGroup(this);
  for (std::size_t i = 0; i < kSystemNames.size(); ++i) {
    auto* radio = new QRadioButton(tr(kSystemNames[i]), group);
    m_systems[side]->addButton(radio, SystemId(static_cast<char>(CMeasureFile::kMetricKey + i)));
    radios->addWidget(radio);
  }
  layout->addLayout(radios);
  // Only the file's units: a typed name such as "banana" would convert as whatever unit
  // happened to be selected.
  m_units[side] = new QComboBox(group);
  layout->addWidget(m_units[side]);
  layout->addWidget(m_amounts->Field(side));
  return group;
}

bool CMeasureDlg::Load() {
  DataFileStatus status = DataFileStatus::kLoaded;
  {
    CWaitCursor wait;
    status = m_table.Load(m_files);
    if (status == DataFileStatus::kLoaded) {
      Restore();
    }
  }
  if (status != DataFileStatus::kLoaded) {
    m_messages.Warn(CMeasureFile::Message(status));
    return false;
  }
  return true;
}

void CMeasureDlg::Restore() {
  ClockSettings& fields = m_settings.Values();
  m_categories = m_table.Categories();
  for (const MeasureCategory& category : m_categories) {
    m_category->addItem(Latin1(category.name));
  }
  const auto stored = std::find_if(
      m_categories.begin(), m_categories.end(),
      [&](const MeasureCategory& category) { return category.code == fields.measureCategory; });
  if (stored != m_categories.end()) {
    m_category->setCurrentIndex(static_cast<int>(stored - m_categories.begin()));
  }
  FollowCategory();
  for (const Side side : {kLeft, kRight}) {
    if (QAbstractButton* radio = m_systems[side]->button(SystemId(StoredSystem(fields, side)))) {
      radio->setChecked(true);
    }
    FillUnits(side);
    // A stored position from another file, or a damaged record, may not fit this list.
    const std::int32_t unit = StoredUnit(fields, side);
    if (unit >= 0 && unit < m_units[side]->count()) {
      m_units[side]->setCurrentIndex(unit);
    }
  }
}

void CMeasureDlg::Connect() {
  connect(m_category, &QComboBox::currentIndexChanged, this, &CMeasureDlg::OnCategory);
  for (const Side side : {kLeft, kRight}) {
    connect(m_systems[side], &QButtonGroup::idClicked, this, [this, side] { OnSystem(side); });
  }
  // A new unit on one side re-expresses the quantity standing on the other.
  connect(m_units[kLeft], &QComboBox::currentIndexChanged, this, [this] { Convert(kRight); });
  connect(m_units[kRight], &QComboBox::currentIndexChanged, this, [this] { Convert(kLeft); });
  connect(m_equals, &QPushButton::clicked, this, &CMeasureDlg::OnEquals);
}

int CMeasureDlg::exec() {
  if (m_failed) {
    setResult(Rejected);
    return Rejected;
  }
  return QDialog::exec();
}

QRadioButton* CMeasureDlg::SystemButton(Side side, char system) const {
  return qobject_cast<QRadioButton*>(m_systems[side]->button(SystemId(system)));
}

void CMeasureDlg::FollowCategory() {
  m_amounts->SetAllowNegative(m_category->currentIndex() ==
                              static_cast<int>(CMeasureFile::kSignedCategory));
}

void CMeasureDlg::OnCategory() {
  FillUnits(kLeft);
  FillUnits(kRight);
  m_amounts->Clear();
  FollowCategory();
}

void CMeasureDlg::OnSystem(Side side) {
  FillUnits(side);
  m_amounts->Clear();
}

void CMeasureDlg::OnEquals() {
  if (const auto from = m_amounts->EqualsSource()) {
    Convert(*from);
  }
}

// Filling selects the first unit without converting: only the user's choice of a unit does.
void CMeasureDlg::FillUnits(Side side) {
  QComboBox* list = m_units[side];
  QSignalBlocker quiet(list);
  list->clear();
  const int category = m_category->currentIndex();
  const int system = m_systems[side]->checkedId();
  if (category >= 0 && system > 0) {
    const char code = m_categories[static_cast<std::size_t>(category)].code;
    for (const MeasureUnit& unit : m_table.Units(code, SystemKey(system))) {
      list->addItem(Latin1(unit.name), QVariant::fromValue(static_cast<qulonglong>(unit.line)));
    }
  }
  if (list->count() > 0) {
    list->setCurrentIndex(0);
  }
  Field(side)->setEnabled(list->count() > 0);
}

std::optional<std::size_t> CMeasureDlg::UnitLine(Side side) const {
  const int index = m_units[side]->currentIndex();
  if (index < 0) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(m_units[side]->itemData(index).toULongLong());
}

void CMeasureDlg::Convert(Side from) {
  const auto source = UnitLine(from);
  const auto target = UnitLine(CAmountFields::Other(from));
  const int category = m_category->currentIndex();
  if (!source || !target || category < 0) {
    return;
  }
  const MeasureTerms terms = m_table.Terms(static_cast<std::size_t>(category), *source, *target);
  if (const auto texts = CConverter::Measure(m_amounts->Text(from), terms, m_messages)) {
    m_amounts->Show(from, *texts);
  }
}

// Only what is chosen is stored: an empty list keeps the stored position it cannot show.
void CMeasureDlg::StoreChoices() {
  ClockSettings& fields = m_settings.Values();
  const int category = m_category->currentIndex();
  if (category >= 0) {
    fields.measureCategory = m_categories[static_cast<std::size_t>(category)].code;
  }
  for (const Side side : {kLeft, kRight}) {
    const int system = m_systems[side]->checkedId();
    if (system > 0) {
      StoredSystem(fields, side) = SystemKey(system);
    }
    const int unit = m_units[side]->currentIndex();
    if (unit >= 0) {
      StoredUnit(fields, side) = unit;
    }
  }
}

void CMeasureDlg::done(int result) {
  if (!m_failed) {
    StoreChoices();
    m_settings.SaveRecord(m_store);
    m_positions.Remember(this, CDialogPositions::kMeasurement);
  }
  QDialog::done(result);
}

}  // namespace zw
