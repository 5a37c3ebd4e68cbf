// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/locationlistdlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "locations/placetime.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/locations/locationpropsdlg.h"
#include "ui/locations/locationtree.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"

namespace zw {

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

CLocationListDlg::CLocationListDlg(const AppContext& context, CEventList* events,
                                   std::function<void()> clockChanged, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_events(events),
      m_clockChanged(std::move(clockChanged)) {
  setWindowTitle(tr("Location List"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_view = new QComboBox;
  for (const char* name : CLocationTree::kViewNames) {
    m_view->addItem(QCoreApplication::translate("zw::CLocationTree", name));
  }
  form->addRow(tr("&List by:"), m_view);
  layout->addLayout(form);

  auto* middle = new QHBoxLayout;
  auto* tree = new QTreeWidget;
  tree->setMinimumSize(260, 280);
  middle->addWidget(tree, 1);
  auto* column = new QVBoxLayout;
  m_add = new QPushButton(tr("&Add..."));
  m_change = new QPushButton(tr("&Change..."));
  m_delete = new QPushButton(tr("&Delete"));
  m_show = new QPushButton(tr("&Show On Clock"));
  m_ok = new QPushButton(tr("&OK"));
  for (QPushButton* b : {m_add, m_change, m_delete, m_show}) {
    b->setAutoDefault(false);
    column->addWidget(b);
  }
  column->addStretch();
  column->addWidget(m_ok);
  middle->addLayout(column);
  layout->addLayout(middle);

  m_caption = new QLabel;
  layout->addWidget(m_caption);
  QFont times(QStringLiteral("Times"));
  times.setPixelSize(20);
  for (QLabel*& line : m_lines) {
    line = new QLabel;
    line->setFont(times);
    line->setAlignment(Qt::AlignCenter);
    layout->addWidget(line);
  }

  m_tree = std::make_unique<CLocationTree>(tree, m_context.db);
  m_tree->Fill(m_context.settings.Values().listKind);
  m_view->setCurrentIndex(m_tree->CurrentView());
  m_tree->SelectByName(m_context.settings.Values().lastLocation.name,
                       m_context.settings.Values().lastLocation.country);
  OnSelectionChanged();
  tree->installEventFilter(this);

  connect(m_view, &QComboBox::currentIndexChanged, this, [this](int index) {
    m_tree->ChangeView(index);
    OnSelectionChanged();
  });
  connect(tree, &QTreeWidget::itemSelectionChanged, this, &CLocationListDlg::OnSelectionChanged);
  connect(tree, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (m_tree->Selected() != nullptr) {
      ChangeLocation();
    }
  });
  connect(m_add, &QPushButton::clicked, this, &CLocationListDlg::AddLocation);
  connect(m_change, &QPushButton::clicked, this, &CLocationListDlg::ChangeLocation);
  connect(m_delete, &QPushButton::clicked, this, &CLocationListDlg::DeleteLocation);
  connect(m_show, &QPushButton::clicked, this, &CLocationListDlg::ShowOnClock);
  connect(m_ok, &QPushButton::clicked, this, &CLocationListDlg::accept);
  m_ok->setDefault(true);

  m_context.positions.Place(this, CDialogPositions::kLocationList);
}

CLocationListDlg::~CLocationListDlg() = default;

QTreeWidget* CLocationListDlg::Tree() const {
  return m_tree->Tree();
}

QPushButton* CLocationListDlg::Button(const char* text) const {
  for (QPushButton* b : {m_add, m_change, m_delete, m_show, m_ok}) {
    if (QString(b->text()).remove(QLatin1Char('&')) == QLatin1String(text)) {
      return b;
    }
  }
  return nullptr;
}

void CLocationListDlg::OnSelectionChanged() {
  const CLocation* location = m_tree->Selected();
  m_change->setEnabled(location != nullptr);
  m_delete->setEnabled(location != nullptr);
  m_show->setEnabled(location != nullptr && !m_context.db.IsOnClock(location));
  if (location != nullptr) {
    m_context.settings.Values().lastLocation.name = location->Name();
    m_context.settings.Values().lastLocation.country = location->Country();
  }
  ShowTime();
}

void CLocationListDlg::OnTick() {
  ShowTime();
}

void CLocationListDlg::ShowTime() {
  CLocation* location = m_tree->Selected();
  if (location == nullptr) {
    m_caption->clear();
    for (QLabel* line : m_lines) {
      line->clear();
    }
    return;
  }
  const DisplayOptions options = m_context.settings.Display();
  const PlaceTime now = PlaceTime::Current(*location, CDateTime(), options);
  const QString date = Latin1(Trimmed(now.date));
  const QString time = Latin1(Trimmed(now.time));
  const QString name = Latin1(location->Name());
  // One line shows alone, two show together; a line not in use is hidden, not blank, or it
  // would leave an empty band at the bottom of the dialog.
  const bool both = options.displayMode != DisplayOptions::kDateOnly &&
                    options.displayMode != DisplayOptions::kTimeOnly;
  m_lines[0]->setVisible(both);
  m_lines[1]->setVisible(!both);
  m_lines[2]->setVisible(both);
  switch (options.displayMode) {
    case DisplayOptions::kDateOnly:
      m_caption->setText(tr("The current date of %1 is:").arg(name));
      m_lines[1]->setText(date);
      break;
    case DisplayOptions::kTimeOnly:
      m_caption->setText(tr("The current time of %1 is:").arg(name));
      m_lines[1]->setText(time);
      break;
    default:
      m_caption->setText(tr("The current date and time of %1 is:").arg(name));
      m_lines[0]->setText(date);
      m_lines[2]->setText(time);
      break;
  }
}

void CLocationListDlg::Refill(const CLocation* select) {
  m_tree->Fill(m_tree->CurrentView());
  m_tree->Select(select);
  OnSelectionChanged();
  m_tree->Tree()->setFocus();
}

void CLocationListDlg::SaveFiles() {
  m_context.db.Save(m_context.files, m_context.messages);
}

void CLocationListDlg::AddLocation() {
  const int type = CLocationTree::TypeOfView(m_tree->CurrentView());
  CLocationPropsDlg props(m_context, nullptr, type, this);
  if (props.exec() != QDialog::Accepted) {
    m_tree->Tree()->setFocus();
    return;
  }
  auto location = std::make_unique<CLocation>();
  props.Values().ApplyTo(*location, m_context.db.TzZones());
  location->SetType(type);
  const CLocation* added = location.get();
  m_context.db.Insert(std::move(location));
  Refill(added);
  SaveFiles();
}

void CLocationListDlg::ChangeLocation() {
  CLocation* location = m_tree->Selected();
  if (location == nullptr) {
    return;
  }
  CLocationPropsDlg props(m_context, location, location->GetType(), this);
  if (props.exec() != QDialog::Accepted) {
    return;
  }
  const std::string oldName = location->Name();
  const std::string oldCountry = location->Country();
  props.Values().ApplyTo(*location, m_context.db.TzZones());
  m_context.db.Reposition(static_cast<std::size_t>(m_context.db.IndexOf(location)));
  Refill(location);
  SaveFiles();
  // Events name their location by its texts; without following a rename they would lose
  // their location at the next start.
  if (m_events != nullptr && (oldName != location->Name() || oldCountry != location->Country())) {
    bool renamed = false;
    for (std::size_t i = 0; i < m_events->GetCount(); ++i) {
      if (m_events->GetSchedule(i)->Location() == location) {
        AlarmRecord& r = m_events->GetAlarm(i)->Fields();
        CEvent::SetText(r.locationName, location->Name());
        CEvent::SetText(r.locationCountry, location->Country());
        renamed = true;
      }
    }
    if (renamed) {
      m_events->Save(m_context.files, m_context.messages);
    }
  }
  if (m_clockChanged) {
    m_clockChanged();
  }
}

void CLocationListDlg::DeleteLocation() {
  CLocation* location = m_tree->Selected();
  if (location == nullptr) {
    return;
  }
  const QString question =
      tr("You are about to delete \"%1\" from the database.  Do you want to proceed?")
          .arg(Latin1(location->Name()));
  if (!m_context.messages.AskYesNo(Latin1Bytes(question))) {
    return;
  }
  if (m_events != nullptr) {
    const int event = m_events->FirstUsing(location);
    if (event >= 0) {
      const std::string& alarm = m_events->GetAlarm(static_cast<std::size_t>(event))->Name();
      m_context.messages.Warn(Latin1Bytes(tr("This location has an alarm associated with it.  "
                                             "Remove the alarm named \"%1\" first.")
                                              .arg(Latin1(alarm))));
      return;
    }
  }
  const bool wasOnClock = m_context.db.IsOnClock(location);
  m_context.db.RemoveAt(static_cast<std::size_t>(m_context.db.IndexOf(location)), true);
  Refill(nullptr);
  SaveFiles();
  if (wasOnClock && m_clockChanged) {
    m_clockChanged();
  }
}

void CLocationListDlg::ShowOnClock() {
  CLocation* location = m_tree->Selected();
  if (location == nullptr || !m_context.db.AddToClock(location, m_context.messages)) {
    return;
  }
  m_show->setEnabled(false);
  if (m_clockChanged) {
    m_clockChanged();
  }
}

bool CLocationListDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_tree->Tree() && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = !(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (key->key() == Qt::Key_Delete && plain && m_tree->Selected() != nullptr) {
      DeleteLocation();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CLocationListDlg::done(int result) {
  m_context.settings.Values().listKind = m_tree->CurrentView();
  m_context.positions.Remember(this, CDialogPositions::kLocationList);
  QDialog::done(result);
}

}  // namespace zw
