// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/meetingplannerdlg.h"

#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "locations/location.h"
#include "locations/meetinggrid.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

const QColor kWorkingColor(198, 232, 190);
const QColor kNightColor(52, 62, 86);
const QColor kNightText(220, 224, 235);
const QColor kChosenColor(255, 214, 120);
constexpr int kColumnWidth = 42;

QString PlaceText(const CLocation& place) {
  if (place.Country().empty()) {
    return Latin1(place.Name());
  }
  return Latin1(place.Name()) + QStringLiteral(", ") + Latin1(place.Country());
}

// The hour, with its minutes in a half-hour zone; the hour a local day begins names that
// day instead, so every row shows where its midnight falls.
QString CellText(const MeetingCell& cell) {
  if (cell.local.Hour() == 0) {
    return QString::fromStdString(CMeetingGrid::DayText(cell.local).substr(0, 3));
  }
  QString text = QString::fromStdString(CMeetingGrid::HourText(cell.local));
  if (cell.local.Minute() == 0) {
    text.truncate(2);
  }
  return text;
}

}  // namespace

CMeetingPlannerDlg::CMeetingPlannerDlg(std::vector<const CLocation*> places, std::string hoursPath,
                                       QWidget* parent)
    : QDialog(parent), m_places(std::move(places)), m_hoursFile(std::move(hoursPath)) {
  if (m_places.size() > CMeetingGrid::kMaxPlaces) {
    m_places.resize(CMeetingGrid::kMaxPlaces);
  }
  m_hours = m_hoursFile.Load();
  setWindowTitle(tr(kTitle));
  Build();
  if (!m_places.empty()) {
    const CDateTime local = m_places.front()->Zone().ToLocal(CDateTime());
    m_date->setDate(QDate(local.Year(), local.Month(), local.Day()));
  }
  Refill();
  ShowHoursOf(0);
}

void CMeetingPlannerDlg::Build() {
  auto* layout = new QVBoxLayout(this);
  auto* dateRow = new QHBoxLayout;
  m_date = new QDateEdit;
  m_date->setCalendarPopup(true);
  m_date->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
  m_date->setDateRange(QDate(1970, 1, 2), QDate(2099, 12, 31));
  auto* dateLabel = new QLabel(tr("&Date:"));
  dateLabel->setBuddy(m_date);
  dateRow->addWidget(dateLabel);
  dateRow->addWidget(m_date);
  dateRow->addStretch(1);
  layout->addLayout(dateRow);

  m_grid = new QTableWidget(static_cast<int>(m_places.size()), CMeetingGrid::kColumns);
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->setSelectionBehavior(QAbstractItemView::SelectColumns);
  m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
  // The arrow keys walk the hours; Tab goes on to the working hours.
  m_grid->setTabKeyNavigation(false);
  // Narrow fixed columns keep the whole day in view on an ordinary screen.
  m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (std::size_t row = 0; row < m_places.size(); ++row) {
    m_grid->setVerticalHeaderItem(static_cast<int>(row),
                                  new QTableWidgetItem(PlaceText(*m_places[row])));
  }
  m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                           m_grid->rowCount() * m_grid->verticalHeader()->defaultSectionSize() +
                           2 * m_grid->frameWidth() +
                           m_grid->horizontalScrollBar()->sizeHint().height());
  layout->addWidget(m_grid, 1);

  auto* hoursRow = new QHBoxLayout;
  m_hoursLabel = new QLabel;
  m_start = new QTimeEdit;
  m_end = new QTimeEdit;
  for (QTimeEdit* edit : {m_start, m_end}) {
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
  }
  m_hoursLabel->setBuddy(m_start);
  hoursRow->addWidget(m_hoursLabel);
  hoursRow->addWidget(m_start);
  hoursRow->addWidget(new QLabel(QStringLiteral("to")));
  hoursRow->addWidget(m_end);
  hoursRow->addStretch(1);
  layout->addLayout(hoursRow);

  m_good = new QLabel;
  m_good->setWordWrap(true);
  layout->addWidget(m_good);
  m_summary = new QLabel(tr("Click an hour to see it everywhere and copy it."));
  m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_summary->setFont(QFont(QStringLiteral("monospace")));
  layout->addWidget(m_summary);

  connect(m_date, &QDateEdit::dateChanged, this, [this] { Refill(); });
  connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int column) {
    ShowHoursOf(row);
    ChooseColumn(column);
  });
  connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &CMeetingPlannerDlg::ChooseColumn);
  connect(m_grid->verticalHeader(), &QHeaderView::sectionClicked, this,
          &CMeetingPlannerDlg::ShowHoursOf);
  connect(m_start, &QTimeEdit::timeChanged, this, &CMeetingPlannerDlg::OnHoursEdited);
  connect(m_end, &QTimeEdit::timeChanged, this, &CMeetingPlannerDlg::OnHoursEdited);
  resize(1240, sizeHint().height());
}

std::string CMeetingPlannerDlg::KeyOf(const CLocation& place) const {
  return place.Name() + "," + place.Country();
}

void CMeetingPlannerDlg::Refill() {
  std::vector<MeetingPlace> rows;
  for (const CLocation* place : m_places) {
    const auto found = m_hours.find(KeyOf(*place));
    rows.push_back(
        {place->Name(), place->Zone(), found != m_hours.end() ? found->second : WorkingHours{}});
  }
  const QDate day = m_date->date();
  const CMeetingGrid grid(rows, CDateTime(day.year(), day.month(), day.day(), 0, 0, 0));
  for (int column = 0; column < CMeetingGrid::kColumns; ++column) {
    const QString hour =
        grid.Rows() > 0
            ? QString::fromStdString(CMeetingGrid::HourText(grid.Cell(0, column).local)).left(2)
            : QString();
    m_grid->setHorizontalHeaderItem(column, new QTableWidgetItem(hour));
    for (std::size_t row = 0; row < grid.Rows(); ++row) {
      const MeetingCell& cell = grid.Cell(row, column);
      auto* item = new QTableWidgetItem(CellText(cell));
      item->setTextAlignment(Qt::AlignCenter);
      if (cell.working) {
        item->setBackground(kWorkingColor);
      } else if (cell.night) {
        item->setBackground(kNightColor);
        item->setForeground(kNightText);
      }
      // Hours of the day before or after the chosen date are set apart.
      if (cell.dayShift != 0) {
        QFont font = item->font();
        font.setItalic(true);
        item->setFont(font);
      }
      item->setToolTip(QString::fromStdString(CMeetingGrid::DayText(cell.local) + " " +
                                              CMeetingGrid::HourText(cell.local)));
      m_grid->setItem(static_cast<int>(row), column, item);
    }
  }
  QStringList good;
  for (const int column : grid.GoodForAll()) {
    good << QString::fromStdString(CMeetingGrid::HourText(grid.Cell(0, column).local));
  }
  m_good->setText(good.isEmpty() ? tr(kNoGoodHour)
                                 : tr("Good for all: %1").arg(good.join(QStringLiteral(", "))));
}

void CMeetingPlannerDlg::ChooseColumn(int column) {
  if (m_places.empty() || column < 0 || column >= CMeetingGrid::kColumns) {
    return;
  }
  std::vector<MeetingPlace> rows;
  for (const CLocation* place : m_places) {
    rows.push_back({PlaceText(*place).toStdString(), place->Zone(), {}});
  }
  const QDate day = m_date->date();
  const CMeetingGrid grid(rows, CDateTime(day.year(), day.month(), day.day(), 0, 0, 0));
  const QString summary = QString::fromStdString(grid.Summary(column)).trimmed();
  m_summary->setText(summary);
  QGuiApplication::clipboard()->setText(summary + QLatin1Char('\n'));
  m_grid->selectColumn(column);
  for (std::size_t row = 0; row < m_places.size(); ++row) {
    m_grid->item(static_cast<int>(row), column)->setBackground(kChosenColor);
  }
}

void CMeetingPlannerDlg::ShowHoursOf(int row) {
  if (row < 0 || row >= static_cast<int>(m_places.size())) {
    return;
  }
  m_filling = true;
  const CLocation& place = *m_places[static_cast<std::size_t>(row)];
  const auto found = m_hours.find(KeyOf(place));
  const WorkingHours hours = found != m_hours.end() ? found->second : WorkingHours{};
  m_hoursLabel->setText(tr("Working &hours of ") +
                        Latin1(place.Name()).replace(QLatin1Char('&'), QStringLiteral("&&")) +
                        QStringLiteral(":"));
  m_hoursLabel->setProperty("row", row);
  m_start->setTime(QTime(hours.startMinute / 60, hours.startMinute % 60));
  m_end->setTime(QTime(std::min(hours.endMinute, 23 * 60 + 59) / 60,
                       std::min(hours.endMinute, 23 * 60 + 59) % 60));
  m_filling = false;
}

void CMeetingPlannerDlg::OnHoursEdited() {
  const int row = m_hoursLabel->property("row").toInt();
  if (m_filling || row < 0 || row >= static_cast<int>(m_places.size())) {
    return;
  }
  const int start = m_start->time().hour() * 60 + m_start->time().minute();
  const int end = m_end->time().hour() * 60 + m_end->time().minute();
  if (start >= end) {
    // A span that ends before it starts is no working day; the edit waits for a valid one.
    return;
  }
  m_hours[KeyOf(*m_places[static_cast<std::size_t>(row)])] = WorkingHours{start, end};
  m_hoursFile.Save(m_hours);
  Refill();
}

}  // namespace zw
