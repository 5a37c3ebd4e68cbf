// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;

namespace zw {

// About Zonewright: the version, the data sources whose licences ask to be credited, and the
// full credits and licence notes installed with the data.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // A larger credits file is not the one installed with the program: it is not shown.
  static constexpr qint64 kMaxCreditsBytes = 256 * 1024;

  // The credits installed beside the supplied data, wherever the program was installed.
  static QString InstalledCredits();

  explicit CAboutDlg(const QString& creditsPath, QWidget* parent = nullptr);

  QLabel* Sources() const { return m_sources; }
  QPlainTextEdit* Credits() const { return m_credits; }

 private:
  void LoadCredits(const QString& path);

  QLabel* m_sources = nullptr;
  QPlainTextEdit* m_credits = nullptr;
};

}  // namespace zw
