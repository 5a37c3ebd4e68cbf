// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/comparetimedlg.h"

#include <algorithm>

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "locations/locationdb.h"
#include "locations/meetinggrid.h"
#include "settings/clocksettings.h"
#include "settings/workinghoursfile.h"
#include "ui/locations/entertimedlg.h"
#include "ui/locations/locationtree.h"
#include "ui/locations/meetingplannerdlg.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"

namespace zw {

namespace {

constexpr const char* kListByLabel = QT_TRANSLATE_NOOP("zw::CCompareTimeDlg", "List &by:");
// The same words on both sides, each with a key of its own.
constexpr const char* kSelectTimeTexts[] = {
    QT_TRANSLATE_NOOP("zw::CCompareTimeDlg", "&Select Time..."),
    QT_TRANSLATE_NOOP("zw::CCompareTimeDlg", "Select T&ime...")};
constexpr const char* kCurrentTimeText = QT_TRANSLATE_NOOP("zw::CCompareTimeDlg", "&Current Time");
constexpr const char* kPlanText = QT_TRANSLATE_NOOP("zw::CCompareTimeDlg", "&Plan a meeting\u2026");
constexpr int kTreeMinWidth = 220;
constexpr int kTreeMinHeight = 240;

QPushButton* MakeButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(QCoreApplication::translate("zw::CCompareTimeDlg", text), parent);
  // Return in a tree must not press whichever button was used last.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CCompareTimeDlg::CCompareTimeDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_db(context.db),
      m_settings(context.settings),
      m_messages(context.messages),
      m_positions(context.positions) {
  setWindowTitle(tr(kTitle));
  Build();
  Restore();
  Connect();
  EnableButtons();
  m_positions.Place(this, CDialogPositions::kCompareTime);
}

CCompareTimeDlg::~CCompareTimeDlg() = default;

void CCompareTimeDlg::Run(const AppContext& context, QWidget* parent) {
  CCompareTimeDlg dialog(context, parent);
  dialog.exec();
}

QLabel* CCompareTimeDlg::MakeLine(bool wrap) {
  auto* line = new QLabel(this);
  // Location texts are data, never markup.
  line->setTextFormat(Qt::PlainText);
  line->setAlignment(Qt::AlignCenter);
  line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  line->setWordWrap(wrap);
  // An empty line keeps its height, so the dialog does not jump when texts come and go.
  line->setMinimumHeight(line->fontMetrics().height() * (wrap ? 2 : 1) + 8);
  return line;
}

void CCompareTimeDlg::Build() {
  m_listBy = new QComboBox(this);
  for (const char* name : CLocationTree::kViewNames) {
    m_listBy->addItem(QCoreApplication::translate("zw::CLocationTree", name));
  }
  auto* listByLabel =
      new QLabel(QCoreApplication::translate("zw::CCompareTimeDlg", kListByLabel), this);
  listByLabel->setBuddy(m_listBy);
  auto* listByRow = new QHBoxLayout;
  listByRow->addWidget(listByLabel);
  listByRow->addWidget(m_listBy);
  listByRow->addStretch(1);

  auto* grid = new QGridLayout(this);
  grid->addLayout(listByRow, 0, 0, 1, 3);
  for (const Side side : {kLeft, kRight}) {
    const int column = side == kLeft ? 0 : 2;
    m_treeViews[side] = new QTreeWidget(this);
    m_treeViews[side]->setMinimumSize(kTreeMinWidth, kTreeMinHeight);
    m_trees[side] = std::make_unique<CLocationTree>(m_treeViews[side], m_db);
    m_selectTime[side] = MakeButton(kSelectTimeTexts[side], this);
    m_lines[side] = MakeLine(false);
    grid->addWidget(m_treeViews[side], 1, column);
    grid->addWidget(m_selectTime[side], 2, column, Qt::AlignHCenter);
    grid->addWidget(m_lines[side], 3, column);
  }
  m_currentTime = MakeButton(kCurrentTimeText, this);
  grid->addWidget(m_currentTime, 1, 1, Qt::AlignCenter);
  m_sentence = MakeLine(true);
  grid->addWidget(m_sentence, 4, 0, 1, 3);
  m_plan = new QPushButton(QCoreApplication::translate("zw::CCompareTimeDlg", kPlanText), this);
  grid->addWidget(m_plan, 5, 2, Qt::AlignRight);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(1, 1);
}

void CCompareTimeDlg::Restore() {
  const ClockSettings& fields = m_settings.Values();
  const int view = fields.listKind >= 0 && fields.listKind < CLocationTree::kViewCount
                       ? fields.listKind
                       : CLocationTree::kCountryCity;
  m_listBy->setCurrentIndex(view);
  for (const auto& tree : m_trees) {
    tree->Fill(view);
  }
  m_trees[kLeft]->SelectByName(fields.lastLocation.name, fields.lastLocation.country);
  m_trees[kRight]->SelectByName(fields.compareRight.name, fields.compareRight.country);
}

void CCompareTimeDlg::Connect() {
  connect(m_listBy, &QComboBox::currentIndexChanged, this, &CCompareTimeDlg::OnViewChanged);
  for (const Side side : {kLeft, kRight}) {
    connect(m_treeViews[side], &QTreeWidget::itemSelectionChanged, this,
            &CCompareTimeDlg::OnSelectionChanged);
    connect(m_selectTime[side], &QPushButton::clicked, this, [this, side] { OnSelectTime(side); });
  }
  connect(m_currentTime, &QPushButton::clicked, this, &CCompareTimeDlg::OnCurrentTime);
  connect(m_plan, &QPushButton::clicked, this, &CCompareTimeDlg::OnPlan);
}

void CCompareTimeDlg::EnableButtons() {
  const bool both = m_trees[kLeft]->Selected() != nullptr && m_trees[kRight]->Selected() != nullptr;
  m_selectTime[kLeft]->setEnabled(both);
  m_selectTime[kRight]->setEnabled(both);
  m_currentTime->setEnabled(both);
}

void CCompareTimeDlg::StoreSelections() {
  // A group item or a refill in progress leaves the stored location as it was, so that a
  // passing view without the location does not forget it.
  ClockSettings& fields = m_settings.Values();
  if (const CLocation* left = m_trees[kLeft]->Selected()) {
    fields.lastLocation = PlaceName{left->Name(), left->Country()};
  }
  if (const CLocation* right = m_trees[kRight]->Selected()) {
    fields.compareRight = PlaceName{right->Name(), right->Country()};
  }
}

void CCompareTimeDlg::OnSelectionChanged() {
  EnableButtons();
  StoreSelections();
  // Without a comparison time this leaves the texts empty, as they already are.
  ShowComparison();
}

void CCompareTimeDlg::OnViewChanged(int view) {
  m_compare.Drop();
  ShowTexts({});
  for (const auto& tree : m_trees) {
    tree->ChangeView(view);
  }
  EnableButtons();
  m_treeViews[kLeft]->setFocus();
}

std::vector<const CLocation*> CCompareTimeDlg::PlannerPlaces() const {
  std::vector<const CLocation*> places;
  const auto add = [&places](const CLocation* place) {
    if (place != nullptr && places.size() < CMeetingGrid::kMaxPlaces &&
        std::find(places.begin(), places.end(), place) == places.end()) {
      places.push_back(place);
    }
  };
  add(m_trees[kLeft]->Selected());
  add(m_trees[kRight]->Selected());
  for (std::size_t i = 0; i < m_db.ClockCount(); ++i) {
    add(m_db.ClockAt(i));
  }
  return places;
}

void CCompareTimeDlg::OnPlan() {
  CMeetingPlannerDlg planner(PlannerPlaces(), CWorkingHoursFile::DefaultPath(), this);
  planner.exec();
}

void CCompareTimeDlg::OnCurrentTime() {
  m_compare.TakeNow();
  ShowComparison();
}

void CCompareTimeDlg::OnSelectTime(Side side) {
  CLocation* location = m_trees[side]->Selected();
  if (location == nullptr) {
    return;
  }
  const DisplayOptions options = m_settings.Display();
  const std::optional<PlaceTime> known = m_compare.Convert(*location, options);
  const int clockType = options.hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour;
  CEnterTimeDlg enter(known ? &*known : nullptr, options.dateOrder, clockType, m_messages, this);
  if (enter.exec() != QDialog::Accepted) {
    return;
  }
  m_compare.TakeLocal(*location, enter.Value(), options);
  ShowComparison();
}

void CCompareTimeDlg::ShowComparison() {
  ShowTexts(m_compare.Show(m_trees[kLeft]->Selected(), m_trees[kRight]->Selected(),
                           m_settings.Display()));
}

void CCompareTimeDlg::ShowTexts(const CCompareTimes::Texts& texts) {
  m_lines[kLeft]->setText(Latin1(texts.left));
  m_lines[kRight]->setText(Latin1(texts.right));
  m_sentence->setText(Latin1(texts.sentence));
}

void CCompareTimeDlg::done(int result) {
  m_settings.Values().listKind = m_listBy->currentIndex();
  m_positions.Remember(this, CDialogPositions::kCompareTime);
  m_compare.Drop();
  QDialog::done(result);
}

}  // namespace zw
