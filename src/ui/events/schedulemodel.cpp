// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/schedulemodel.h"

namespace zw {

CScheduleModel::CScheduleModel(QObject* parent) : QAbstractTableModel(parent) {}

void CScheduleModel::SetHeader(int column, const QString& text) {
  if (column < 0 || column >= CScheduleListing::kColumnCount) {
    return;
  }
  m_headers[static_cast<std::size_t>(column)] = text;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void CScheduleModel::Fill(const CEventList& alarms, const CZone* basis, int year, int month,
                          int day, int days) {
  beginResetModel();
  m_listing.Fill(alarms, basis, year, month, day, days);
  endResetModel();
}

void CScheduleModel::Clear() {
  beginResetModel();
  m_listing.Clear();
  endResetModel();
}

void CScheduleModel::sort(int column, Qt::SortOrder) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const std::vector<std::uint32_t> order = m_listing.Sort(column);
  std::vector<int> newRow(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    newRow[order[i]] = static_cast<int>(i);
  }
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before) {
    after.append(this->index(newRow[static_cast<std::size_t>(index.row())], index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CScheduleModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_listing.Count());
}

int CScheduleModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : CScheduleListing::kColumnCount;
}

QVariant CScheduleModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) {
    return {};
  }
  const std::string text =
      m_listing.Text(static_cast<std::size_t>(index.row()), index.column(), m_options);
  // Names and places come from Latin-1 files.
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant CScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= CScheduleListing::kColumnCount) {
    return {};
  }
  return m_headers[static_cast<std::size_t>(section)];
}

}  // namespace zw
