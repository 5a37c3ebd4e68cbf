// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/convert/currencydlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "convert/converter.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/convert/waitcursor.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"
#include "ui/widgets/numedit.h"

namespace zw {

namespace {

constexpr int kDescriptionLines = 3;

}  // namespace

CCurrencyDlg::CCurrencyDlg(const AppContext& context, QWidget* parent)
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
  m_positions.Place(this, CDialogPositions::kCurrency);
}

void CCurrencyDlg::Run(const AppContext& context, QWidget* parent) {
  CCurrencyDlg dialog(context, parent);
  dialog.exec();
}

void CCurrencyDlg::Build() {
  m_description = new QPlainTextEdit(this);
  m_description->setReadOnly(true);
  m_description->setFixedHeight(m_description->fontMetrics().lineSpacing() * kDescriptionLines +
                                2 * m_description->frameWidth() + 8);

  m_amounts = new CAmountFields(this);
  auto* row = new QHBoxLayout;
  for (const Side side : {kLeft, kRight}) {
    m_lists[side] = new QComboBox(this);
    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    form->addRow(m_lists[side]);
    form->addRow(tr(kQuantityLabels[side]), m_amounts->Field(side));
    m_rateDates[side] = new QLabel(this);
    form->addRow(m_rateDates[side]);
    row->addWidget(group, 1);
    if (side == kLeft) {
      m_equals = CAmountFields::MakeEqualsButton(this);
      row->addWidget(m_equals, 0, Qt::AlignVCenter);
    }
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_description);
  layout->addLayout(row);
  layout->addWidget(new QLabel(CAmountFields::tr(CAmountFields::kPrecisionNote), this), 0,
                    Qt::AlignHCenter);
}

bool CCurrencyDlg::Load() {
  DataFileStatus status = DataFileStatus::kLoaded;
  {
    CWaitCursor wait;
    status = m_table.Load(m_files);
    m_dates = CRateDates::Load(m_files);
    if (status == DataFileStatus::kLoaded) {
      Fill();
    }
  }
  if (status != DataFileStatus::kLoaded) {
    m_messages.Warn(CCurrencyFile::Message(status));
    return false;
  }
  return true;
}

void CCurrencyDlg::Fill() {
  for (const CurrencyRecord& record : m_table.Records()) {
    const QString name = Latin1(record.name);
    m_lists[kLeft]->addItem(name);
    m_lists[kRight]->addItem(name);
  }
  const ClockSettings& fields = m_settings.Values();
  m_lists[kLeft]->setCurrentIndex(m_table.Find(fields.currencyLeft, 0));
  m_lists[kRight]->setCurrentIndex(m_table.Find(fields.currencyRight, 1));
  ShowRateDate(kLeft);
  ShowRateDate(kRight);
  if (m_table.Description()) {
    m_description->setPlainText(Latin1(*m_table.Description()));
  }
}

void CCurrencyDlg::Connect() {
  // A new currency on one side reprices the amount standing on the other.
  connect(m_lists[kLeft], &QComboBox::currentIndexChanged, this, [this] {
    ShowRateDate(kLeft);
    Convert(kRight);
  });
  connect(m_lists[kRight], &QComboBox::currentIndexChanged, this, [this] {
    ShowRateDate(kRight);
    Convert(kLeft);
  });
  connect(m_equals, &QPushButton::clicked, this, &CCurrencyDlg::OnEquals);
}

int CCurrencyDlg::exec() {
  if (m_failed) {
    setResult(Rejected);
    return Rejected;
  }
  return QDialog::exec();
}

void CCurrencyDlg::Convert(Side from) {
  const Side to = CAmountFields::Other(from);
  const int source = m_lists[from]->currentIndex();
  const int target = m_lists[to]->currentIndex();
  const std::vector<CurrencyRecord>& records = m_table.Records();
  const auto count = static_cast<int>(records.size());
  if (source < 0 || target < 0 || source >= count || target >= count) {
    return;
  }
  const auto texts =
      CConverter::Currency(m_amounts->Text(from), records[static_cast<std::size_t>(source)].rate,
                           records[static_cast<std::size_t>(target)].rate, m_messages);
  if (texts) {
    m_amounts->Show(from, *texts);
  }
}

void CCurrencyDlg::ShowRateDate(Side side) {
  const int chosen = m_lists[side]->currentIndex();
  if (chosen < 0 || chosen >= static_cast<int>(m_table.Records().size())) {
    m_rateDates[side]->clear();
    return;
  }
  const std::string date = m_dates.DateOf(m_table.Records()[static_cast<std::size_t>(chosen)].name);
  m_rateDates[side]->setText(date.empty() ? tr(kRateAsSupplied)
                                          : tr("Rate of %1").arg(QString::fromStdString(date)));
}

void CCurrencyDlg::OnEquals() {
  if (const auto from = m_amounts->EqualsSource()) {
    Convert(*from);
  }
}

void CCurrencyDlg::StoreChoices() {
  ClockSettings& fields = m_settings.Values();
  const std::vector<CurrencyRecord>& records = m_table.Records();
  const int left = m_lists[kLeft]->currentIndex();
  const int right = m_lists[kRight]->currentIndex();
  if (left >= 0) {
    fields.currencyLeft = records[static_cast<std::size_t>(left)].name;
  }
  if (right >= 0) {
    fields.currencyRight = records[static_cast<std::size_t>(right)].name;
  }
}

void CCurrencyDlg::done(int result) {
  if (!m_failed && !m_table.Records().empty()) {
    StoreChoices();
    m_settings.SaveRecord(m_store);
    m_positions.Remember(this, CDialogPositions::kCurrency);
  }
  QDialog::done(result);
}

}  // namespace zw
