#include "ui/net/ratesbutton.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "convert/currencyfile.h"
#include "convert/eurorates.h"
#include "convert/eurorates_sample.h"
#include "convert/ratedates.h"
#include "convert/ratesupdate.h"
#include "platform/posixfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

// A web server on a free loopback port that answers every request with one fixed response.
class HttpServer : public QObject {
 public:
  explicit HttpServer(QByteArray response) : m_response(std::move(response)) {
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
      QTcpSocket* client = m_server.nextPendingConnection();
      connect(client, &QTcpSocket::readyRead, client, [this, client] {
        if (client->readAll().contains("\r\n\r\n")) {
          client->write(m_response);
          client->disconnectFromHost();
        }
      });
    });
  }
  QString Url() const {
    return QStringLiteral("http://127.0.0.1:%1/eurofxref-daily.xml").arg(m_server.serverPort());
  }
  static QByteArray Ok(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  }

 private:
  QTcpServer m_server;
  QByteArray m_response;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

class RatesButtonTest : public QObject {
  Q_OBJECT

 private:
  // Presses the button against a server answering `response`; whether the table changed.
  bool Fetch(const QByteArray& response) {
    HttpServer server(response);
    CRatesButton button(m_files, m_sink, server.Url());
    QSignalSpy finished(&button, &CRatesButton::finished);
    button.click();
    if (!finished.wait(10000)) {
      return false;
    }
    return finished.first().first().toBool();
  }
  std::string Table() const { return ReadAll(m_dir.File("CURRENCY.DAT")); }

  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  CPosixFileLayer m_files;
  test::RecordingSink m_sink;
  std::string m_before;

 private slots:
  void init() {
    std::filesystem::copy_file(std::string(ZW_SOURCE_DATA_DIR) + "/CURRENCY.DAT",
                               m_dir.File("CURRENCY.DAT"),
                               std::filesystem::copy_options::overwrite_existing);
    m_before = Table();
    m_sink.Clear();
  }

  void todaysRatesReachTheTableAndTheUserIsTold() {
    QVERIFY(Fetch(HttpServer::Ok(test::kEuroRatesSample)));
    QCOMPARE(m_sink.Messages().size(), std::size_t{1});
    QCOMPARE(m_sink.Messages()[0].text, std::string(CRatesButton::kTakenIn1) + "2026-12-08" +
                                            CRatesButton::kTakenIn2 + "30" +
                                            CRatesButton::kTakenIn3);
    QCOMPARE(CRateDates::Load(m_files).DateOf("Japan Yen"), std::string("2026-12-08"));
    QVERIFY(Table() != m_before);
  }

  // Whatever goes wrong on the way, the user hears of it and the table stays.
  void failedFetchesLeaveTheTable() {
    const QByteArray sample = test::kEuroRatesSample;
    const std::string fetchFailed = CRatesButton::kFetchFailed;
    const std::pair<QByteArray, std::string> cases[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", fetchFailed},
        {HttpServer::Ok(sample.left(sample.size() / 2)), CRatesUpdate::kIncomplete},
        {HttpServer::Ok(QByteArray(static_cast<qsizetype>(EuroRates::kMaxBytes) * 2, ' ') + sample),
         fetchFailed},
        {"garbage", fetchFailed},
    };
    for (const auto& [response, told] : cases) {
      m_sink.Clear();
      QVERIFY(!Fetch(response));
      QCOMPARE(m_sink.Messages().size(), std::size_t{1});
      QCOMPARE(m_sink.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
      QVERIFY2(m_sink.Messages()[0].text.starts_with(told), response.left(20).constData());
    }
    QVERIFY(Table() == m_before);
  }
};

QTEST_MAIN(RatesButtonTest)
#include "ratesbutton_test.moc"
