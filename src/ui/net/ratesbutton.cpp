#include "ui/net/ratesbutton.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "convert/eurorates.h"
#include "convert/ratesupdate.h"
#include "platform/messagesink.h"
#include "settings/desktopprefs.h"

namespace zw {

CRatesButton::CRatesButton(IFileLayer& files, IMessageSink& messages, QString source,
                           QWidget* parent)
    : QPushButton(QString::fromLatin1(kText), parent),
      m_files(files),
      m_messages(messages),
      m_source(std::move(source)) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, &CRatesButton::OnClicked);
}

QString CRatesButton::SourceFromPrefs() {
  const DesktopPrefs prefs = CDesktopPrefsFile(CDesktopPrefsFile::DefaultPath()).Load();
  const std::string& source =
      prefs.ratesSource.empty() ? std::string(CRatesUpdate::kDefaultSource) : prefs.ratesSource;
  return QString::fromStdString(source);
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
    m_messages.Warn(kFetchFailed + reply->errorString().toStdString());
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
  m_messages.Inform(kTakenIn1 + rates->date + kTakenIn2 + std::to_string(outcome.updated.size()) +
                    kTakenIn3);
  emit finished(true);
}

}  // namespace zw
