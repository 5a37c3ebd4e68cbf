// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/ratesbutton.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "convert/eurorates.h"
#include "convert/ratesupdate.h"
#include "platform/messagesink.h"
#include "settings/desktopprefs.h"
#include "ui/platform/latin1.h"

namespace zw {

CRatesButton::CRatesButton(IFileLayer& files, IMessageSink& messages, QString source,
                           QWidget* parent)
    : QPushButton(tr(kText), parent),
      m_files(files),
      m_messages(messages),
      m_source(std::move(source)) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, &CRatesButton::OnClicked);
}

QString CRatesButton::DefaultSource() {
  return QString::fromUtf8(CRatesUpdate::kDefaultSource.data(),
                           static_cast<qsizetype>(CRatesUpdate::kDefaultSource.size()));
}

QString CRatesButton::SourceFromPrefs() {
  const DesktopPrefs prefs = CDesktopPrefsFile(CDesktopPrefsFile::DefaultPath()).Load();
  // A file's address, or one from another protocol, is nothing the rates are fetched from.
  const QString source = QString::fromStdString(prefs.ratesSource);
  return Fetchable(source) ? source : DefaultSource();
}

bool CRatesButton::Fetchable(const QString& text) {
  if (text.isEmpty() ||
      text.toUtf8().size() > static_cast<qsizetype>(CDesktopPrefsFile::kMaxAddressBytes)) {
    return false;
  }
  // Blanks and line breaks would not survive the desktop choices' one line per key.
  for (const QChar c : text) {
    if (c.isSpace() || c.category() == QChar::Other_Control) {
      return false;
    }
  }
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !url.host().isEmpty();
}

void CRatesButton::OnClicked() {
  setEnabled(false);
  QNetworkRequest request{QUrl(m_source)};
  request.setTransferTimeout(static_cast<int>(kTimeout.count()));
  QNetworkReply* reply = m_network.get(request);
  // A reply that grows past any day's rates is no rates file: stop taking it.
  const auto tooLarge = [](qint64 bytes) {
    return bytes > static_cast<qint64>(EuroRates::kMaxBytes);
  };
  connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, tooLarge] {
    if (tooLarge(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong())) {
      reply->abort();
    }
  });
  connect(reply, &QNetworkReply::downloadProgress, reply,
          [reply, tooLarge](qint64 received, qint64) {
            if (tooLarge(received)) {
              reply->abort();
            }
          });
  connect(reply, &QNetworkReply::finished, this, [this, reply] { OnFinished(reply); });
}

void CRatesButton::OnFinished(QNetworkReply* reply) {
  reply->deleteLater();
  setEnabled(true);
  if (reply->error() != QNetworkReply::NoError) {
    m_messages.Warn(
        Latin1Bytes(tr("The exchange rates could not be fetched: %1").arg(reply->errorString())));
    emit finished(false);
    return;
  }
  const QByteArray body = reply->read(static_cast<qint64>(EuroRates::kMaxBytes) + 1);
  const auto outcome = CRatesUpdate::Install(
      m_files, std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
  if (!outcome.error.empty()) {
    m_messages.Warn(outcome.error);
    emit finished(false);
    return;
  }
  const auto rates = EuroRates::Parse({body.constData(), static_cast<std::size_t>(body.size())});
  m_messages.Inform(
      Latin1Bytes(tr("The exchange rates of %1 are in the currency converter for %2 currencies.")
                      .arg(Latin1(rates->date))
                      .arg(outcome.updated.size())));
  emit finished(true);
}

}  // namespace zw
