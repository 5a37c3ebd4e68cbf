// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkAccessManager>
#include <QPushButton>
#include <chrono>
#include <utility>

class QNetworkReply;

namespace zw {

class IFileLayer;
class IMessageSink;

// "Today's Exchange Rates": fetches the day's euro reference rates from the source address
// and takes them into CURRENCY.DAT, telling the user how it went. Nothing larger than the
// rates can be, and nothing slower than the timeout, is waited for.
class CRatesButton : public QPushButton {
  Q_OBJECT

 public:
  static constexpr const char* kText =
      QT_TRANSLATE_NOOP("zw::CRatesButton", "&Today's Exchange Rates");
  static constexpr const char* kFetchFailed =
      QT_TRANSLATE_NOOP("zw::CRatesButton", "The exchange rates could not be fetched: ");
  static constexpr const char* kTakenIn1 =
      QT_TRANSLATE_NOOP("zw::CRatesButton", "The exchange rates of ");
  static constexpr const char* kTakenIn2 =
      QT_TRANSLATE_NOOP("zw::CRatesButton", " are in the currency converter for ");
  static constexpr const char* kTakenIn3 = QT_TRANSLATE_NOOP("zw::CRatesButton", " currencies.");
  static constexpr std::chrono::milliseconds kTimeout{30000};

  // `files` and `messages` must outlive the button; `source` is an http(s) address.
  CRatesButton(IFileLayer& files, IMessageSink& messages, QString source,
               QWidget* parent = nullptr);

  // The central bank's daily file.
  static QString DefaultSource();
  // The desktop choices' source when it can be fetched, else the default.
  static QString SourceFromPrefs();
  // A whole http or https address with a host, no longer than the desktop choices keep.
  static bool Fetchable(const QString& text);

  const QString& Source() const { return m_source; }
  // Where the next press fetches from.
  void SetSource(QString source) { m_source = std::move(source); }

 signals:
  // The fetch is over and the user has been told; `installed` when the table changed.
  void finished(bool installed);

 private:
  void OnClicked();
  void OnFinished(QNetworkReply* reply);

  IFileLayer& m_files;
  IMessageSink& m_messages;
  QString m_source;
  QNetworkAccessManager m_network;
};

}  // namespace zw
