// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/scheduledlg.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTextCursor>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <tuple>

#include "events/event.h"
#include "events/eventlist.h"
#include "events/eventsummary.h"
#include "events/notesfile.h"
#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/events/alarmservice.h"
#include "ui/events/daymarks.h"
#include "ui/events/eventeditdlg.h"
#include "ui/events/eventsummarydlg.h"
#include "ui/events/schedulemodel.h"
#include "ui/locations/selectlocationdlg.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/calendardlg.h"
#include "ui/widgets/dialogpositions.h"
#include "ui/widgets/monthgrid.h"

namespace zw {

namespace {

constexpr const char* kCalendarGroup = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Calendar");
constexpr const char* kNotesLabel = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "&Notes:");
constexpr const char* kNotesForLabel = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "&Notes for  ");
constexpr const char* kBasisGroup = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Time Basis");
constexpr const char* kChooseBasisText = "...";
constexpr const char* kGmtText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "&GMT");
constexpr const char* kGmtBasisText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Greenwich Mean Time");
constexpr const char* kGmtHeaderName = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Greenwich Mean");
// The GMT button titles the time column with a leading blank, as it always has.
constexpr const char* kGmtButtonHeader =
    QT_TRANSLATE_NOOP("zw::CScheduleDlg", " Greenwich Mean Time");
constexpr const char* kTimeHeaderSuffix = QT_TRANSLATE_NOOP("zw::CScheduleDlg", " Time");
constexpr const char* kBasisSeparator = ",  ";
constexpr const char* kDaysLead =
    QT_TRANSLATE_NOOP("zw::CScheduleDlg", "&Display events for selected date and following");
constexpr const char* kDaysTail = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "days");
constexpr const char* kCloseText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "&Close");
constexpr const char* kDetailsText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Details");
constexpr const char* kNewText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "New...");
constexpr const char* kChangeText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Change...");
constexpr const char* kDeleteText = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Delete");

struct Header {
  const char* text;
  // Blanks pad the text to this length; the column is as wide as the padded text.
  int paddedLength;
};
// The time column's text depends on the basis; it is set apart.
constexpr std::array<Header, 5> kHeaders = {
    {{QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Event Name"), 36},
     {"", 36},
     {QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Location"), 28},
     {QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Frequency "), 0},
     {QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Pre-notify"), 0}}};
constexpr int kHeaderExtraWidth = 12;
constexpr int kRetitledExtraWidth = 15;

QString Padded(QString text, int length) {
  if (text.size() < length) {
    text.append(QString(length - text.size(), QLatin1Char(' ')));
  }
  return text;
}

QPushButton* MakeButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(QCoreApplication::translate("zw::CScheduleDlg", text), parent);
  // Return in the days field must not press whichever button was used last.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CScheduleDlg::CScheduleDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_alarms(context.alarms.Events()),
      m_db(context.db),
      m_settings(context.settings),
      m_store(context.store),
      m_files(context.files),
      m_messages(context.messages),
      m_positions(context.positions),
      m_notes(std::make_unique<CNotesFile>(context.files, context.messages)) {
  m_editEvent = [this](CEvent& alarm) {
    CEventEditDlg editor(m_context, alarm, this);
    return editor.exec() == QDialog::Accepted;
  };
  setWindowTitle(tr(kTitle));
  Build();
  FindBasis();
  m_basisLabel->setText(BasisText());
  ComputeToday();
  SelectToday();
  SetTimeHeader(TimeHeaderText(), kHeaderExtraWidth);
  m_days->setValue(std::clamp(m_settings.Values().scheduleDays, 0, kMaxDays));
  Refresh();
  Connect();
  m_positions.Place(this, CDialogPositions::kSchedule);
}

CScheduleDlg::~CScheduleDlg() {
  // Normally done() has saved already and this does nothing.
  StoreNotes();
  m_notes->Save();
}

void CScheduleDlg::Run(const AppContext& context, QWidget* parent) {
  CScheduleDlg dialog(context, parent);
  dialog.exec();
}

void CScheduleDlg::Build() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildCalendar());
  auto* notes = new QVBoxLayout;
  m_notesLabel = new QLabel(QCoreApplication::translate("zw::CScheduleDlg", kNotesLabel), this);
  m_notesEdit = new QPlainTextEdit(this);
  m_notesLabel->setBuddy(m_notesEdit);
  // Notes are lines of text; Tab moves on rather than trapping the keyboard in them.
  m_notesEdit->setTabChangesFocus(true);
  notes->addWidget(m_notesLabel);
  notes->addWidget(m_notesEdit, 1);
  top->addLayout(notes, 1);
  layout->addLayout(top);
  layout->addWidget(BuildBasis());

  auto* daysRow = new QHBoxLayout;
  m_days = new QSpinBox(this);
  m_days->setRange(0, kMaxDays);
  m_days->setSingleStep(1);
  auto* daysLead = new QLabel(QCoreApplication::translate("zw::CScheduleDlg", kDaysLead), this);
  daysLead->setBuddy(m_days);
  daysRow->addWidget(daysLead);
  daysRow->addWidget(m_days);
  daysRow->addWidget(new QLabel(tr(kDaysTail), this));
  daysRow->addStretch(1);
  layout->addLayout(daysRow);

  BuildList();
  layout->addWidget(m_list, 1);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  QPushButton* close = MakeButton(kCloseText, this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  closeRow->addWidget(close);
  layout->addLayout(closeRow);
}

QWidget* CScheduleDlg::BuildCalendar() {
  auto* group =
      new QGroupBox(QCoreApplication::translate("zw::CScheduleDlg", kCalendarGroup), this);
  auto* layout = new QVBoxLayout(group);
  m_grid = new CMonthGrid(group);
  for (int position = 1; position <= CMonthGrid::kDayButtons; ++position) {
    QPushButton* button = m_grid->DayButton(position);
    button->setCheckable(true);
    button->setAutoDefault(false);
  }
  layout->addWidget(m_grid);
  return group;
}

QWidget* CScheduleDlg::BuildBasis() {
  auto* group = new QGroupBox(QCoreApplication::translate("zw::CScheduleDlg", kBasisGroup), this);
  auto* layout = new QHBoxLayout(group);
  m_basisLabel = new QLabel(group);
  // Location texts are data, never markup.
  m_basisLabel->setTextFormat(Qt::PlainText);
  m_basisLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_chooseBasis = MakeButton(kChooseBasisText, group);
  m_gmt = MakeButton(kGmtText, group);
  // "..." says nothing to a screen reader.
  m_chooseBasis->setAccessibleName(tr("Choose the time basis"));
  layout->addWidget(m_basisLabel, 1);
  layout->addWidget(m_chooseBasis);
  layout->addWidget(m_gmt);
  return group;
}

void CScheduleDlg::BuildList() {
  m_list = new QTreeView(this);
  m_model = new CScheduleModel(this);
  m_list->setModel(m_model);
  m_list->setRootIsDecorated(false);
  m_list->setItemsExpandable(false);
  // Every row is one line; the view then never measures rows it does not show.
  m_list->setUniformRowHeights(true);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  m_list->setMinimumHeight(160);
  QHeaderView* header = m_list->header();
  header->setSectionsClickable(true);
  header->setSectionsMovable(false);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(CScheduleListing::kTimeColumn, Qt::AscendingOrder);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (std::size_t column = 0; column < kHeaders.size(); ++column) {
    if (column == CScheduleListing::kTimeColumn) {
      continue;
    }
    const QString text = Padded(tr(kHeaders[column].text), kHeaders[column].paddedLength);
    const int section = static_cast<int>(column);
    m_model->SetHeader(section, text);
    header->resizeSection(section,
                          header->fontMetrics().horizontalAdvance(text) + kHeaderExtraWidth);
  }
}

void CScheduleDlg::FindBasis() {
  const ClockSettings& fields = m_settings.Values();
  m_basisView = fields.scheduleBasisView;
  if (fields.scheduleBasis.Empty()) {
    return;
  }
  const int index = m_db.Find(fields.scheduleBasis.name, fields.scheduleBasis.country);
  m_basis = index < 0 ? nullptr : m_db.At(static_cast<std::size_t>(index));
}

void CScheduleDlg::Connect() {
  connect(m_grid, &CMonthGrid::monthChosen, this, &CScheduleDlg::OnMonthChosen);
  connect(m_grid, &CMonthGrid::dayPressed, this, &CScheduleDlg::OnDayPressed);
  connect(m_notesEdit, &QPlainTextEdit::textChanged, this, &CScheduleDlg::LimitNotes);
  connect(m_chooseBasis, &QPushButton::clicked, this, &CScheduleDlg::OnChooseBasis);
  connect(m_gmt, &QPushButton::clicked, this, &CScheduleDlg::OnGmt);
  connect(m_days, &QSpinBox::valueChanged, this, &CScheduleDlg::FillList);
  connect(m_list->header(), &QHeaderView::sectionClicked, this, &CScheduleDlg::SortBy);
  connect(m_list, &QTreeView::customContextMenuRequested, this, &CScheduleDlg::ShowPopupMenu);
  connect(m_list, &QTreeView::doubleClicked, this, [this] { RunCommand(kCmdDetails); });
  // Events an alarm takes away leave the list at once.
  connect(&m_context.alarms, &CAlarmService::eventsChanged, this, &CScheduleDlg::RebuildEventList);
}

std::optional<CZone> CScheduleDlg::BasisZone() const {
  return m_basis != nullptr ? std::optional<CZone>(m_basis->Zone()) : std::nullopt;
}

QString CScheduleDlg::BasisText() const {
  if (m_basis == nullptr) {
    return QCoreApplication::translate("zw::CScheduleDlg", kGmtBasisText);
  }
  std::string text = m_basis->Name();
  text.append(kBasisSeparator).append(m_basis->Country());
  return Latin1(text);
}

QString CScheduleDlg::TimeHeaderText() const {
  const QString name = m_basis != nullptr ? Latin1(m_basis->Name()) : tr(kGmtHeaderName);
  return name + tr(kTimeHeaderSuffix);
}

void CScheduleDlg::SetTimeHeader(const QString& text, int extraWidth) {
  const QString padded = Padded(text, kHeaders[CScheduleListing::kTimeColumn].paddedLength);
  m_model->SetHeader(CScheduleListing::kTimeColumn, padded);
  QHeaderView* header = m_list->header();
  header->resizeSection(CScheduleListing::kTimeColumn,
                        header->fontMetrics().horizontalAdvance(padded) + extraWidth);
  FitListWidth();
}

void CScheduleDlg::ComputeToday() {
  const CDateTime now;
  const CDateTime today = m_basis != nullptr ? m_basis->Zone().ToLocal(now) : now;
  m_today = Date{today.Year(), today.Month(), today.Day()};
}

void CScheduleDlg::SelectToday() {
  m_shownYear = std::clamp(m_today.year, CMonthGrid::kFirstYear, CMonthGrid::kLastYear);
  m_shownMonth = m_today.month;
  m_selectedDay = m_today.day;
}

bool CScheduleDlg::IsSelectable(int day) const {
  return std::tie(m_shownYear, m_shownMonth, day) >=
         std::tie(m_today.year, m_today.month, m_today.day);
}

void CScheduleDlg::Refresh() {
  RebuildGrid();
  RefreshNotesLabel();
  FillList();
  ShowNotes();
}

void CScheduleDlg::RebuildGrid() {
  // Marks computed afresh: events and notes may have changed since the last layout.
  m_grid->SetDayMarker(EventDayMarker(m_alarms, m_notes.get(), BasisZone()));
  m_grid->ShowMonth(m_shownYear, m_shownMonth);
  m_daySelected = false;
  for (int position = 1; position <= CMonthGrid::kDayButtons; ++position) {
    m_grid->DayButton(position)->setChecked(false);
  }
  const int days = CDateTime::DaysInMonth(m_shownYear, m_shownMonth);
  for (int day = 1; day <= days; ++day) {
    QPushButton* button = m_grid->ButtonOfDay(day);
    const bool enabled = IsSelectable(day);
    button->setEnabled(enabled);
    if (enabled && day == m_selectedDay) {
      button->setChecked(true);
      m_daySelected = true;
    }
  }
}

// The date without leading zeros in its day and month, so 01/05/1997 reads 1/5/1997.
void CScheduleDlg::RefreshNotesLabel() {
  if (!m_daySelected) {
    m_notesLabel->setText(QCoreApplication::translate("zw::CScheduleDlg", kNotesLabel));
    return;
  }
  const int order = m_settings.Values().dateOrder;
  m_notesLabel->setText(QCoreApplication::translate("zw::CScheduleDlg", kNotesForLabel) +
                        CCalendarDlg::DateText(m_shownYear, m_shownMonth, m_selectedDay, order));
}

void CScheduleDlg::FillList() {
  if (!m_daySelected) {
    m_model->Clear();
    return;
  }
  m_settings.Values().scheduleDays = m_days->value();
  m_model->SetOptions(m_settings.Display());
  const std::optional<CZone> basis = BasisZone();
  m_model->Fill(m_alarms, basis ? &*basis : nullptr, m_shownYear, m_shownMonth, m_selectedDay,
                m_days->value());
  // A fill comes in time order.
  m_list->header()->setSortIndicator(CScheduleListing::kTimeColumn, Qt::AscendingOrder);
}

void CScheduleDlg::SortBy(int column) {
  m_model->sort(column);
  // Always ascending: the header's own flip on a second click is undone.
  m_list->header()->setSortIndicator(column, Qt::AscendingOrder);
}

void CScheduleDlg::FitListWidth() {
  // At the dialog's first size every column shows, the last one included.
  const QHeaderView* header = m_list->header();
  m_list->setMinimumWidth(
      header->length() + 2 * m_list->frameWidth() +
      m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list));
}

void CScheduleDlg::RebuildEventList() {
  FillList();
}

CDateTime CScheduleDlg::NoteDate() const {
  return CDateTime(m_shownYear, m_shownMonth, m_selectedDay, 0, 0, 0);
}

// Only a change is stored: an untouched empty edit leaves no empty note behind, and clearing
// the text of a note really clears it.
void CScheduleDlg::StoreNotes() {
  if (!m_daySelected) {
    return;
  }
  const QByteArray text = m_notesEdit->toPlainText().toLatin1();
  const std::string note(text.constData(), static_cast<std::size_t>(text.size()));
  if (note == m_notes->GetNote(NoteDate())) {
    return;
  }
  m_notes->SetNote(NoteDate(), note);
}

// Without a selected day there is no date the notes could belong to.
void CScheduleDlg::ShowNotes() {
  m_notesEdit->setEnabled(m_daySelected);
  m_notesEdit->setPlainText(m_daySelected ? Latin1(m_notes->GetNote(NoteDate())) : QString());
}

// Whatever went in last, typed or pasted, is what does not fit.
void CScheduleDlg::LimitNotes() {
  const int excess = static_cast<int>(m_notesEdit->toPlainText().size()) - kMaxNoteLength;
  if (excess <= 0) {
    return;
  }
  QTextCursor cursor = m_notesEdit->textCursor();
  if (cursor.position() < excess) {
    cursor.movePosition(QTextCursor::End);
  }
  cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, excess);
  cursor.removeSelectedText();
  m_notesEdit->setTextCursor(cursor);
  // A keystroke at the limit simply does nothing; a cut paste would go unnoticed.
  if (excess > 1) {
    m_messages.Warn(tr("A note holds at most %1 characters.  %2 characters were left out.")
                        .arg(kMaxNoteLength)
                        .arg(excess)
                        .toStdString());
  }
}

void CScheduleDlg::OnMonthChosen(int year, int month) {
  StoreNotes();
  m_shownYear = year;
  m_shownMonth = month;
  Refresh();
}

void CScheduleDlg::OnDayPressed(int day) {
  StoreNotes();
  m_selectedDay = day;
  Refresh();
}

void CScheduleDlg::OnChooseBasis() {
  const bool known = m_basis != nullptr && m_basisView >= 0;
  CSelectLocationDlg select(m_context, known ? m_basisView : -1, known ? m_basis : nullptr, this);
  if (select.exec() != QDialog::Accepted || select.Chosen() == nullptr) {
    return;
  }
  StoreNotes();
  m_basis = select.Chosen();
  m_basisView = select.ChosenView();
  ClockSettings& fields = m_settings.Values();
  fields.scheduleBasisView = m_basisView;
  fields.scheduleBasis = PlaceName{m_basis->Name(), m_basis->Country()};
  m_basisLabel->setText(BasisText());
  SetTimeHeader(TimeHeaderText(), kRetitledExtraWidth);
  ComputeToday();
  Refresh();
  m_settings.Save(m_store, m_db, std::nullopt);
}

// Greenwich's date can differ from the previous basis', so the days open to choice follow.
// The settings reach the store with their next save.
void CScheduleDlg::OnGmt() {
  StoreNotes();
  m_basis = nullptr;
  m_settings.Values().scheduleBasis = PlaceName{};
  m_basisLabel->setText(BasisText());
  SetTimeHeader(QCoreApplication::translate("zw::CScheduleDlg", kGmtButtonHeader),
                kRetitledExtraWidth);
  ComputeToday();
  Refresh();
}

std::unique_ptr<QMenu> CScheduleDlg::BuildPopupMenu() {
  auto menu = std::make_unique<QMenu>(this);
  const bool row = SelectedRow().has_value();
  const auto add = [this, &menu](const char* text, int command, bool enabled) {
    QAction* action = menu->addAction(QCoreApplication::translate("zw::CScheduleDlg", text));
    action->setEnabled(enabled);
    // Posted, so the menu is gone before a dialog opens.
    connect(action, &QAction::triggered, this, [this, command] {
      QMetaObject::invokeMethod(
          this, [this, command] { RunCommand(command); }, Qt::QueuedConnection);
    });
  };
  add(kDetailsText, kCmdDetails, row);
  menu->addSeparator();
  add(kNewText, kCmdNew, true);
  add(kChangeText, kCmdChange, row);
  add(kDeleteText, kCmdDelete, row);
  return menu;
}

void CScheduleDlg::ShowPopupMenu(const QPoint& position) {
  const std::unique_ptr<QMenu> menu = BuildPopupMenu();
  menu->exec(m_list->viewport()->mapToGlobal(position));
}

void CScheduleDlg::RunCommand(int command) {
  switch (command) {
    case kCmdDetails:
      ShowDetails();
      break;
    case kCmdNew:
      NewEvent();
      break;
    case kCmdChange:
      ChangeEvent();
      break;
    case kCmdDelete:
      DeleteEvent();
      break;
    default:
      break;
  }
}

std::optional<std::size_t> CScheduleDlg::SelectedRow() const {
  const QModelIndexList rows = m_list->selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(rows.front().row());
}

void CScheduleDlg::ShowDetails() {
  const std::optional<std::size_t> row = SelectedRow();
  if (!row) {
    return;
  }
  const CScheduleListing& listing = m_model->Listing();
  const CScheduleListing::Event& event = listing.EventOf(*row);
  const EventSummary summary =
      EventSummary::Of(event.alarm, event.Zone(), CDateTime::FromSeconds(listing.At(*row).gmt),
                       m_settings.Display());
  CEventSummaryDlg dialog(summary, this);
  dialog.exec();
}

void CScheduleDlg::NewEvent() {
  auto alarm = std::make_unique<CEvent>(m_settings.Values().listKind);
  AlarmRecord& fields = alarm->Fields();
  fields.frequency = kOneTime;
  // The event dialogs store dates as MM/DD/YYYY whatever the user's order.
  if (m_daySelected) {
    CDateTime date = NoteDate();
    CEvent::SetText(fields.dateText, date.FormatDate(CDateTime::kMonthDayYear, "/", 4));
  }
  if (m_basis != nullptr) {
    CEvent::SetText(fields.locationName, m_basis->Name());
    CEvent::SetText(fields.locationCountry, m_basis->Country());
  }
  if (!m_editEvent(*alarm)) {
    return;
  }
  m_alarms.Add(std::move(alarm));
  SaveEvents();
}

void CScheduleDlg::ChangeEvent() {
  const std::optional<std::size_t> row = SelectedRow();
  if (!row) {
    return;
  }
  // The list may be refilled while the editor is open; only the identity is kept.
  const CScheduleListing::Event& listed = m_model->Listing().EventOf(*row);
  const CEventSchedule* schedule = listed.schedule;
  CEvent copy = listed.alarm;
  if (!m_editEvent(copy)) {
    return;
  }
  const int index = m_alarms.IndexOf(schedule);
  if (index < 0) {
    m_alarms.Add(std::make_unique<CEvent>(copy));
  } else {
    const auto at = static_cast<std::size_t>(index);
    *m_alarms.GetAlarm(at) = copy;
    m_alarms.GetSchedule(at)->Reschedule();
  }
  SaveEvents();
}

void CScheduleDlg::DeleteEvent() {
  const std::optional<std::size_t> row = SelectedRow();
  if (!row) {
    return;
  }
  const CScheduleListing::Event& listed = m_model->Listing().EventOf(*row);
  const CEventSchedule* schedule = listed.schedule;
  const QString question =
      tr("You are about to delete the alarm named \"%1\".  Do you want to proceed?")
          .arg(Latin1(listed.alarm.Name()));
  if (!m_messages.AskYesNo(Latin1Bytes(question))) {
    return;
  }
  m_alarms.Remove(schedule);
  SaveEvents();
}

void CScheduleDlg::SaveEvents() {
  m_alarms.Save(m_files, m_messages);
  FillList();
}

void CScheduleDlg::done(int result) {
  StoreNotes();
  m_notes->Save();
  m_positions.Remember(this, CDialogPositions::kSchedule);
  QDialog::done(result);
}

}  // namespace zw
