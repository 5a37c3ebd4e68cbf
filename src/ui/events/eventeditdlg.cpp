// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/eventeditdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "events/event.h"
#include "events/notesfile.h"
#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/events/alarmservice.h"
#include "ui/events/annualpage.h"
#include "ui/events/dailypage.h"
#include "ui/events/daymarks.h"
#include "ui/events/eventactionsdlg.h"
#include "ui/events/monthlypage.h"
#include "ui/events/onetimepage.h"
#include "ui/events/weeklypage.h"
#include "ui/locations/locationtree.h"
#include "ui/platform/latin1.h"

namespace zw {

CEventEditDlg::CEventEditDlg(const AppContext& context, CEvent& alarm, QWidget* parent)
    : QDialog(parent),
      m_alarm(alarm),
      m_db(context.db),
      m_settings(context.settings),
      m_messages(context.messages),
      m_files(context.files),
      m_events(context.alarms.Events()) {
  setWindowTitle(tr("Event Settings"));
  BuildControls();
  const AlarmRecord& r = alarm.Fields();

  m_current = r.frequency >= kDaily && r.frequency <= kOneTime ? r.frequency : kDaily;
  {
    const QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(m_current);
  }
  m_stack->setCurrentIndex(m_current);
  for (CFrequencyPage* page : m_pages) {
    page->setEnabled(page->Frequency() == m_current);
  }
  // A new event may come with its day chosen already (New... in the schedule browser).
  if (!alarm.TimeText().empty() || !alarm.DateText().empty()) {
    CurrentPage()->Fill(alarm);
  }

  m_tree->Fill(r.listMode);
  m_view->setCurrentIndex(m_tree->CurrentView());
  const std::string locationName = alarm.LocationName();
  const std::string locationCountry = alarm.LocationCountry();
  if (locationName.empty() && locationCountry.empty()) {
    m_tree->SelectByName(m_settings.Values().lastLocation.name,
                         m_settings.Values().lastLocation.country);
  } else {
    m_tree->SelectByName(locationName, locationCountry);
  }
  m_name->setText(Latin1(alarm.Name()));
  m_on->setChecked(!alarm.IsOff());
  m_actions = EventActions::From(alarm);
  m_preNotify->setValue(std::clamp(r.preNotifyMinutes, 0, 99));
  m_missed->setCurrentIndex(m_missed->findData(static_cast<int>(alarm.Missed())));
}

CEventEditDlg::~CEventEditDlg() = default;

void CEventEditDlg::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_name = new QLineEdit;
  m_name->setMaxLength(40);
  m_on = new QCheckBox(tr("&On"));
  m_on->setToolTip(tr("An event that is off never fires but keeps its settings"));
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(m_name, 1);
  nameRow->addWidget(m_on);
  form->addRow(tr("&Name:"), nameRow);
  static_cast<QLabel*>(form->labelForField(nameRow))->setBuddy(m_name);
  layout->addLayout(form);

  auto* columns = new QHBoxLayout;
  auto* location = new QGroupBox(tr("Location"));
  auto* locationLayout = new QVBoxLayout(location);
  auto* viewRow = new QFormLayout;
  m_view = new QComboBox;
  for (const char* name : CLocationTree::kViewNames) {
    m_view->addItem(QCoreApplication::translate("zw::CLocationTree", name));
  }
  viewRow->addRow(tr("&List by"), m_view);
  locationLayout->addLayout(viewRow);
  auto* tree = new QTreeWidget;
  tree->setMinimumSize(220, 240);
  locationLayout->addWidget(tree);
  m_tree = std::make_unique<CLocationTree>(tree, m_db);
  columns->addWidget(location);

  auto* schedule = new QVBoxLayout;
  m_tabs = new QTabBar;
  for (const char* tab : {QT_TRANSLATE_NOOP("zw::CEventEditDlg", "Daily"),
                          QT_TRANSLATE_NOOP("zw::CEventEditDlg", "Weekly"),
                          QT_TRANSLATE_NOOP("zw::CEventEditDlg", "Monthly"),
                          QT_TRANSLATE_NOOP("zw::CEventEditDlg", "Annually"),
                          QT_TRANSLATE_NOOP("zw::CEventEditDlg", "One Time")}) {
    m_tabs->addTab(tr(tab));
  }
  schedule->addWidget(m_tabs);
  m_stack = new QStackedWidget;
  const int order = m_settings.Values().dateOrder;
  const int clock =
      m_settings.Values().hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour;
  m_pages = {new CDailyPage(order, clock), new CWeeklyPage(order, clock),
             new CMonthlyPage(order, clock), new CAnnualPage(order, clock),
             new COneTimePage(order, clock)};
  for (CFrequencyPage* page : m_pages) {
    m_stack->addWidget(page);
  }
  // The Calendar marks days in the time of the place chosen when it opens.
  static_cast<COneTimePage*>(m_pages[kOneTime])->SetDayMarks([this] {
    const CLocation* place = m_tree->Selected();
    auto notes = std::make_shared<CNotesFile>(m_files, m_messages);
    CMonthGrid::DayMarker marks = EventDayMarker(
        m_events, notes.get(), place != nullptr ? std::optional(place->Zone()) : std::nullopt);
    return [notes, marks](int year, int month, int day) { return marks(year, month, day); };
  });
  schedule->addWidget(m_stack);
  m_action = new QPushButton(tr("&Action"));
  m_action->setAutoDefault(false);
  schedule->addWidget(m_action, 0, Qt::AlignLeft);
  auto* preRow = new QHBoxLayout;
  auto* preLabel = new QLabel(tr("&Pre-notify"));
  preRow->addWidget(preLabel);
  m_preNotify = new QSpinBox;
  preLabel->setBuddy(m_preNotify);
  m_preNotify->setRange(0, 99);
  m_preNotify->setAccelerated(true);
  preRow->addWidget(m_preNotify);
  preRow->addWidget(new QLabel(tr("minutes before scheduled time")));
  preRow->addStretch();
  schedule->addLayout(preRow);
  auto* missedRow = new QHBoxLayout;
  auto* missedLabel = new QLabel(tr("&If missed:"));
  missedRow->addWidget(missedLabel);
  m_missed = new QComboBox;
  missedLabel->setBuddy(m_missed);
  m_missed->addItem(tr("Run late once"), static_cast<int>(MissedChoice::kRunLate));
  m_missed->addItem(tr("Skip"), static_cast<int>(MissedChoice::kSkip));
  m_missed->addItem(tr("Ask"), static_cast<int>(MissedChoice::kAsk));
  m_missed->setToolTip(
      tr("What to do when the event's time passes while the computer sleeps or the program "
         "is not running"));
  missedRow->addWidget(m_missed);
  missedRow->addStretch();
  schedule->addLayout(missedRow);
  schedule->addStretch();
  columns->addLayout(schedule, 1);
  layout->addLayout(columns);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CEventEditDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CEventEditDlg::reject);
  connect(m_action, &QPushButton::clicked, this, &CEventEditDlg::EditActions);
  connect(m_view, &QComboBox::currentIndexChanged, this,
          [this](int index) { m_tree->ChangeView(index); });
  connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
    if (!SwitchTab(index)) {
      const QSignalBlocker block(m_tabs);
      m_tabs->setCurrentIndex(m_current);
    }
  });
}

CFrequencyPage* CEventEditDlg::CurrentPage() const {
  return m_pages[static_cast<std::size_t>(m_current)];
}

bool CEventEditDlg::SwitchTab(int index) {
  if (index == m_current || index < 0 || index >= static_cast<int>(m_pages.size())) {
    return true;
  }
  CFrequencyPage* old = CurrentPage();
  if (old->IsFilled() && !m_messages.AskYesNo(old->DiscardQuestion())) {
    return false;
  }
  old->setEnabled(false);
  m_current = index;
  CFrequencyPage* page = CurrentPage();
  page->Reset();
  page->setEnabled(true);
  m_stack->setCurrentIndex(index);
  return true;
}

bool CEventEditDlg::focusNextPrevChild(bool next) {
  // The page's fields stand between the tab bar and the Action button, as if they were the
  // dialog's own.
  QWidget* focus = focusWidget();
  CFrequencyPage* page = CurrentPage();
  if (next && focus == m_tabs) {
    page->TimeEdit()->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (next && focus == page->LastField()) {
    m_action->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (!next && focus == m_action) {
    page->LastField()->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  if (!next && focus == page->TimeEdit()) {
    m_tabs->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  return QDialog::focusNextPrevChild(next);
}

void CEventEditDlg::EditActions() {
  // "notify of missed event" and the choice here say the same for skipping; the later wins.
  const bool skips = m_missed->currentData().toInt() == static_cast<int>(MissedChoice::kSkip);
  m_actions.notifyMissed = !skips;
  CEventActionsDlg dialog(m_actions, m_messages, this);
  if (dialog.exec() != QDialog::Accepted) {
    return;
  }
  m_actions = dialog.Values();
  if (m_actions.notifyMissed == skips) {
    m_missed->setCurrentIndex(
        m_missed->findData(static_cast<int>(skips ? MissedChoice::kRunLate : MissedChoice::kSkip)));
  }
  if (!m_actions.runProgram) {
    m_actions.programCommand.clear();
    m_actions.startDirectory.clear();
  }
  if (!m_actions.playMedia) {
    m_actions.mediaFile.clear();
  }
}

void CEventEditDlg::accept() {
  AlarmRecord& r = m_alarm.Fields();
  const QString name = m_name->text();
  if (name.isEmpty()) {
    m_messages.Warn(kNameMissing);
    m_name->setFocus();
    return;
  }
  CEvent::SetText(r.name, name.toLatin1().toStdString());
  r.listMode = m_tree->CurrentView();

  const CLocation* location = m_tree->Selected();
  if (location == nullptr) {
    m_messages.Warn(kLocationMissing);
    m_tree->Tree()->setFocus();
    return;
  }
  CEvent::SetText(r.locationName, location->Name());
  CEvent::SetText(r.locationCountry, location->Country());
  r.preNotifyMinutes = m_preNotify->value();

  const int order = m_settings.Values().dateOrder;
  const int clock =
      m_settings.Values().hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour;
  const PageContext context{m_messages, order, clock, location};
  if (!CurrentPage()->ValidateAndStore(m_alarm, context)) {
    return;
  }
  r.frequency = m_current;
  m_alarm.SetOff(!m_on->isChecked());
  const auto missed = static_cast<MissedChoice>(m_missed->currentData().toInt());
  m_alarm.SetMissed(missed);
  // Earlier versions know only the switch: they skip what this one skips.
  m_actions.notifyMissed = missed != MissedChoice::kSkip;

  if (m_actions.Any()) {
    m_actions.StoreInto(m_alarm);
  } else if (m_messages.AskYesNo(kNoActionQuestion)) {
    EditActions();
    return;
  }
  m_settings.Values().lastLocation = PlaceName{location->Name(), location->Country()};
  QDialog::accept();
}

void CEventEditDlg::done(int result) {
  m_settings.Values().listKind = m_tree->CurrentView();
  QDialog::done(result);
}

}  // namespace zw
