// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zw {

class CRatesButton;
class IMessageSink;

// Where today's exchange rates are fetched from: the central bank's daily file unless an
// organisation points the program elsewhere. Only an address the button can fetch is taken.
class CRatesSourceDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CRatesSourceDlg(const QString& source, QWidget* parent = nullptr);

  // Keeps `source` in the desktop choices at `path` beside the other choices; the default is
  // kept as no choice at all, so a later default reaches this user too. False when the file
  // could not be written or is not to be replaced.
  static bool Store(const QString& source, const std::string& path);
  // Lets the user change `button`'s source over `parent`; a change is kept in the user's
  // desktop choices, and the user is told when it cannot be.
  static void Edit(CRatesButton& button, IMessageSink& messages, QWidget* parent);

  // The address as typed, without surrounding blanks.
  QString Source() const;
  QLineEdit* Field() const { return m_field; }
  QPushButton* OkButton() const { return m_ok; }
  QPushButton* DefaultButton() const { return m_default; }
  // Says what is wrong with the address; hidden while it is acceptable.
  QLabel* Problem() const { return m_problem; }

 private:
  void Check();

  QLineEdit* m_field = nullptr;
  QLabel* m_problem = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_default = nullptr;
};

}  // namespace zw
