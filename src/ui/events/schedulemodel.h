// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>

#include "events/schedulelisting.h"
#include "timecore/displayoptions.h"

namespace zw {

// The schedule browser's list: the listing's rows under five headers. Texts are made when a
// row is shown, so filling and sorting cost only the rows themselves.
class CScheduleModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CScheduleModel(QObject* parent = nullptr);

  // Date order and clock of the time column.
  void SetOptions(const DisplayOptions& options) { m_options = options; }
  void SetHeader(int column, const QString& text);

  void Fill(const CEventList& alarms, const CZone* basis, int year, int month, int day, int days);
  void Clear();
  // Always ascending by the column's keys; the order argument of the view is ignored. The
  // selected row stays selected.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  const CScheduleListing& Listing() const { return m_listing; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  CScheduleListing m_listing;
  DisplayOptions m_options;
  std::array<QString, CScheduleListing::kColumnCount> m_headers;
};

}  // namespace zw
