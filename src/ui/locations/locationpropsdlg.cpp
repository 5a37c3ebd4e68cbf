// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/locationpropsdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

#include "locations/locationdb.h"
#include "locations/zonenames.h"
#include "platform/messagesink.h"
#include "platform/translatable.h"
#include "settings/clocksettings.h"
#include "timecore/offsetchange.h"
#include "timecore/tzzone.h"
#include "ui/locations/selectlocationdlg.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/mnemonics.h"

namespace zw {

namespace {

// Typed text that Latin-1 cannot hold becomes a character the check refuses, rather than a
// silent question mark.
std::string ToLatin1(const QString& text) {
  std::string out;
  for (const QChar c : text) {
    out += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '\x01';
  }
  return out;
}

const char* TitleOfNew(int type) {
  switch (type) {
    case CLocation::kAreaCode:
      return QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Add New Area Code");
    case CLocation::kCustom:
      return QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Add New Custom Location");
    default:
      return QT_TRANSLATE_NOOP("zw::CLocationPropsDlg", "Add New City");
  }
}

// The rule a new location offers once daylight saving is switched on, and stores while it is
// off: 1st Sunday of April at 2:00 to the last Sunday of October at 2:00.
constexpr std::array<int, 8> kUsualRule = {0, 0, 3, 2, 4, 0, 9, 2};

// The offset field keeps whatever integer the user types, in range or not, and an empty text:
// Qt's spin box would drop a keystroke that leaves the range ("13" stays "1") and put the
// last good value back on leaving the field or on Enter, so OK would save a number the user
// never chose. OK checks the text instead.
class COffsetBox final : public QSpinBox {
 public:
  QValidator::State validate(QString& text, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(text, pos);
    static const QRegularExpression kInteger(QStringLiteral("^[+-]?[0-9]{0,3}$"));
    if (state == QValidator::Invalid && kInteger.match(text).hasMatch()) {
      return QValidator::Intermediate;
    }
    return state;
  }

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    const QString typed = lineEdit()->text();
    const bool keep = !hasAcceptableInput();
    QSpinBox::focusOutEvent(event);
    if (keep) {
      lineEdit()->setText(typed);
    }
  }
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !hasAcceptableInput()) {
      // On to the dialog's OK, which says what is wrong.
      event->ignore();
      return;
    }
    QSpinBox::keyPressEvent(event);
  }
};

}  // namespace

CLocationPropsDlg::CLocationPropsDlg(const AppContext& context, const CLocation* location, int type,
                                     QWidget* parent)
    : QDialog(parent), m_context(context), m_location(location) {
  BuildControls(context.settings);
  const int kind = location != nullptr ? location->GetType() : type;
  BuildZoneControls(layout(), kind);
  FillCountries(kind);
  if (location != nullptr) {
    setWindowTitle(
        tr("Change %1 in %2").arg(Latin1(location->Name()), Latin1(location->Country())));
    Load(LocationValues::From(*location));
    ShowNextChange(layout(), *location);
  } else {
    setWindowTitle(tr(TitleOfNew(type)));
    Load(LocationValues{});
  }
}

void CLocationPropsDlg::BuildControls(const CClockSettings& settings) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_name = new QLineEdit;
  m_name->setMaxLength(static_cast<int>(LocationValues::kMaxText));
  form->addRow(tr("&Name:"), m_name);
  m_country = new QComboBox;
  m_country->setEditable(true);
  m_country->setInsertPolicy(QComboBox::NoInsert);
  m_country->lineEdit()->setMaxLength(static_cast<int>(LocationValues::kMaxText));
  form->addRow(tr("&Located In:"), m_country);

  m_offset = new COffsetBox;
  m_offset->setRange(CZoneNames::kMinOffset, CZoneNames::kMaxOffset);
  m_offset->setWrapping(true);
  m_halfHour = new QCheckBox;
  auto* offsetRow = new QHBoxLayout;
  offsetRow->addWidget(m_offset);
  offsetRow->addWidget(m_halfHour);
  offsetRow->addStretch();
  form->addRow(tr("&Time Zone (GMT+):"), offsetRow);
  static_cast<QLabel*>(form->labelForField(offsetRow))->setBuddy(m_offset);
  m_zoneNames = new QLabel;
  m_zoneNames->setWordWrap(true);
  m_zoneNames->setMinimumHeight(m_zoneNames->fontMetrics().height() * 2);
  form->addRow(QString(), m_zoneNames);
  layout->addLayout(form);

  auto* dstGroup = new QGroupBox;
  auto* grid = new QGridLayout(dstGroup);
  m_dst = new QCheckBox(tr("&Daylight Savings Time"));
  grid->addWidget(m_dst, 0, 0, 1, 5);
  const std::vector<std::string> hours = CZoneNames::HourEntries(settings.Values().hour24);
  for (std::size_t i = 0; i < m_rule.size(); ++i) {
    auto* box = new QComboBox;
    const std::size_t field = i % 4;
    if (field == 0) {
      for (const char* o : kOrdinals)
        box->addItem(tr(o));
    } else if (field == 1) {
      for (const char* w : kWeekdays)
        box->addItem(tr(w));
    } else if (field == 2) {
      for (const char* m : kMonths)
        box->addItem(tr(m));
    } else {
      for (const std::string& h : hours)
        box->addItem(Latin1(h));
    }
    m_rule[i] = box;
    grid->addWidget(box, 1 + static_cast<int>(i / 4), 1 + static_cast<int>(field));
  }
  // Each row's label leads to its first field.
  auto* starting = new QLabel(tr("&Starting the"));
  auto* ending = new QLabel(tr("&Ending the"));
  starting->setBuddy(m_rule[0]);
  ending->setBuddy(m_rule[4]);
  grid->addWidget(starting, 1, 0);
  grid->addWidget(ending, 2, 0);
  layout->addWidget(dstGroup);

  m_copyFrom = new QPushButton(tr("&Copy From..."));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->addButton(m_copyFrom, QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CLocationPropsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CLocationPropsDlg::reject);
  connect(m_offset, &QSpinBox::valueChanged, this, &CLocationPropsDlg::OnOffsetChanged);
  connect(m_halfHour, &QCheckBox::toggled, this, [this] { ShowZoneNames(); });
  connect(m_dst, &QCheckBox::toggled, this, &CLocationPropsDlg::OnDstToggled);
  connect(m_halfHour, &QCheckBox::clicked, this, &CLocationPropsDlg::StopFollowing);
  connect(m_dst, &QCheckBox::clicked, this, &CLocationPropsDlg::StopFollowing);
  for (QComboBox* box : m_rule) {
    connect(box, &QComboBox::activated, this, &CLocationPropsDlg::StopFollowing);
  }
  connect(m_copyFrom, &QPushButton::clicked, this, &CLocationPropsDlg::CopyFrom);
}

void CLocationPropsDlg::ShowNextChange(QLayout* layout, const CLocation& location) {
  // Of the place as stored: what its clocks will do, whatever is being edited here.
  const std::optional<OffsetChange> change = NextOffsetChange(location.Zone(), CDateTime());
  m_nextChange = new QLabel(change ? QString::fromStdString(DescribeOffsetChange(*change))
                                   : tr(kNoChangeText));
  m_nextChange->setWordWrap(true);
  // Below the zone row.
  static_cast<QVBoxLayout*>(layout)->insertWidget(2, m_nextChange);
}

void CLocationPropsDlg::BuildZoneControls(QLayout* layout, int type) {
  auto* row = new QHBoxLayout;
  m_zone = new QComboBox;
  m_zone->setEditable(true);
  m_zone->setInsertPolicy(QComboBox::NoInsert);
  m_zone->addItem(QString());
  for (const std::string& name : CTzCatalog::Names()) {
    m_zone->addItem(QString::fromStdString(name));
  }
  // Typing any part of a name ("paris") finds it.
  m_zone->completer()->setFilterMode(Qt::MatchContains);
  m_zone->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  m_zone->completer()->setCompletionMode(QCompleter::PopupCompletion);
  m_zone->setEnabled(type == CLocation::kCustom);
  m_follow = new QCheckBox(tr(kFollowText));
  auto* zoneLabel = new QLabel(tr("&Zone:"));
  zoneLabel->setBuddy(m_zone);
  row->addWidget(zoneLabel);
  row->addWidget(m_zone, 1);
  row->addWidget(m_follow);
  // Below the name, country and offset, above the daylight-saving group.
  static_cast<QVBoxLayout*>(layout)->insertLayout(1, row);
  connect(m_zone, &QComboBox::currentTextChanged, this, &CLocationPropsDlg::OnZoneEdited);
}

void CLocationPropsDlg::SetZone(const std::string& zone, bool follows) {
  const QSignalBlocker block(m_zone);
  m_zone->setEditText(QString::fromStdString(zone));
  m_follow->setEnabled(!zone.empty());
  m_follow->setChecked(follows && !zone.empty());
}

void CLocationPropsDlg::OnZoneEdited() {
  const bool any = !m_zone->currentText().trimmed().isEmpty();
  m_follow->setEnabled(any);
  // Picking a zone is asking for its times.
  m_follow->setChecked(any);
}

void CLocationPropsDlg::StopFollowing() {
  if (!m_filling) {
    m_follow->setChecked(false);
  }
}

void CLocationPropsDlg::FillCountries(int type) {
  const std::string* last = nullptr;
  for (std::size_t i = 0; i < m_context.db.Count(); ++i) {
    const CLocation* location = m_context.db.At(i);
    if (location->GetType() != type || (last != nullptr && *last == location->Country())) {
      continue;
    }
    // Countries of one type arrive together and in order, so one look back suffices.
    m_country->addItem(Latin1(location->Country()));
    last = &location->Country();
  }
}

void CLocationPropsDlg::Load(const LocationValues& values) {
  m_filling = true;
  m_name->setText(Latin1(values.name));
  const int countryIndex = m_country->findText(Latin1(values.country), Qt::MatchExactly);
  m_country->setCurrentIndex(countryIndex);
  m_country->setEditText(Latin1(values.country));
  {
    const QSignalBlocker block(m_offset);
    m_offset->setValue(CZoneNames::Wrap(values.offsetHours));
  }
  SetUpHalfHour(m_offset->value());
  m_halfHour->setChecked(values.halfHour && !m_halfHour->isHidden());
  SetRule(values.rule);
  m_dst->setChecked(values.dst);
  OnDstToggled(values.dst);
  ShowZoneNames();
  SetZone(values.zone, values.followsZone);
  m_filling = false;
}

void CLocationPropsDlg::SetUpHalfHour(int hours) {
  const auto label = CZoneNames::HalfHourLabel(hours);
  // A key of its own beside those of the dialog's other fields.
  m_halfHour->setText(label ? WithMnemonics({Latin1(*label)}, QStringLiteral("nltdsecfzo")).front()
                            : QString());
  m_halfHour->setHidden(!label.has_value());
}

void CLocationPropsDlg::ShowZoneNames() {
  const bool half = m_halfHour->isChecked() && !m_halfHour->isHidden();
  m_zoneNames->setText(Latin1(CZoneNames::NamesOf(m_offset->value(), half)));
}

void CLocationPropsDlg::OnOffsetChanged(int hours) {
  StopFollowing();
  {
    const QSignalBlocker block(m_halfHour);
    m_halfHour->setChecked(false);
  }
  SetUpHalfHour(hours);
  ShowZoneNames();
}

void CLocationPropsDlg::SetRule(const std::array<int, 8>& rule) {
  for (std::size_t i = 0; i < m_rule.size(); ++i) {
    const int index = rule[i];
    m_rule[i]->setCurrentIndex(index >= 0 && index < m_rule[i]->count() ? index : -1);
  }
}

void CLocationPropsDlg::OnDstToggled(bool on) {
  if (on && m_rule[0]->currentIndex() < 0) {
    SetRule(m_location != nullptr ? LocationValues::From(*m_location).rule : kUsualRule);
  }
  for (QComboBox* box : m_rule) {
    box->setEnabled(on);
  }
}

void CLocationPropsDlg::CopyFrom() {
  CSelectLocationDlg select(m_context, m_copyView, m_copyLocation, this);
  if (select.exec() != QDialog::Accepted || select.Chosen() == nullptr) {
    return;
  }
  m_copyView = select.ChosenView();
  m_copyLocation = select.Chosen();
  const LocationValues source = LocationValues::From(*select.Chosen());
  m_filling = true;
  m_offset->setValue(CZoneNames::Wrap(source.offsetHours));
  OnOffsetChanged(m_offset->value());
  m_halfHour->setChecked(source.halfHour && !m_halfHour->isHidden());
  SetRule(source.rule);
  m_dst->setChecked(source.dst);
  OnDstToggled(source.dst);
  ShowZoneNames();
  SetZone(source.zone, source.followsZone);
  m_filling = false;
}

LocationValues CLocationPropsDlg::Read() const {
  LocationValues v;
  v.name = ToLatin1(m_name->text());
  v.country = ToLatin1(m_country->currentText());
  v.offsetHours = m_offset->value();
  v.halfHour = m_halfHour->isChecked() && !m_halfHour->isHidden();
  v.dst = m_dst->isChecked();
  for (std::size_t i = 0; i < m_rule.size(); ++i) {
    v.rule[i] = m_rule[i]->currentIndex();
  }
  v.zone = m_zone->currentText().trimmed().toStdString();
  v.followsZone = m_follow->isChecked();
  // Without daylight saving a new location gets the usual rule, whatever the combos were left
  // at, so switching it on later starts from there.
  if (m_location == nullptr && !v.dst) {
    v.rule = kUsualRule;
  }
  return v;
}

void CLocationPropsDlg::accept() {
  if (!m_offset->hasAcceptableInput()) {
    m_context.messages.Warn(ZW_TR_NOOP("Core", "Please enter an integer between -11 and 12."));
    m_offset->setFocus();
    return;
  }
  LocationValues values = Read();
  values.Trim();
  // A custom place may only name a zone the system has; a supplied place keeps the one its
  // file names even when this system lacks it.
  if (m_zone->isEnabled() && !values.zone.empty() &&
      m_zone->findText(QString::fromStdString(values.zone), Qt::MatchExactly) < 0) {
    m_context.messages.Warn(kUnknownZone);
    m_zone->setFocus();
    return;
  }
  if (const auto objection = values.Check(m_context.db, m_location)) {
    m_context.messages.Warn(std::string(*objection));
    m_name->setFocus();
    return;
  }
  m_values = values;
  QDialog::accept();
}

}  // namespace zw
