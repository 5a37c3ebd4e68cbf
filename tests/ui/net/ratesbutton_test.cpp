// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/ratesbutton.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <filesystem>

#include "convert/eurorates.h"
#include "convert/ratedates.h"
#include "convert/ratesupdate.h"
#include "platform/posixfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

class RatesButtonTest : public QObject {
  Q_OBJECT

  // Presses the button against a loopback web server of the test's own answering `response`
  // to the first request; the one message the user got, or "" when none or several.
  std::string Fetch(const QByteArray& response) {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [&] {
      QTcpSocket* client = server.nextPendingConnection();
      connect(client, &QTcpSocket::readyRead, client, [client, response] {
        client->write(response);
        client->disconnectFromHost();
      });
    });
    test::RecordingSink sink;
    CRatesButton button(
        m_files, sink,
        QStringLiteral("http://127.0.0.1:%1/eurofxref-daily.xml").arg(server.serverPort()));
    QSignalSpy finished(&button, &CRatesButton::finished);
    button.click();
    return finished.wait(10000) && sink.Messages().size() == 1 ? sink.Messages()[0].text : "";
  }
  static QByteArray Ok(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
  }

  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  CPosixFileLayer m_files;

 private slots:
  // Whatever goes wrong on the way, the user hears of it and the table stays.
  void ratesReachTheTableOnlyWhole() {
    std::filesystem::copy_file(std::string(ZW_SOURCE_DATA_DIR) + "/CURRENCY.DAT",
                               m_dir.File("CURRENCY.DAT"));
    QFile file(QStringLiteral(ZW_RATES_SAMPLE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray sample = file.readAll();
    QCOMPARE(Fetch(Ok(sample.left(sample.size() / 2))), std::string(CRatesUpdate::kIncomplete));
    QVERIFY(Fetch(Ok(QByteArray(1 << 20, ' ') + sample))
                .starts_with("The exchange rates could not be fetched: "));
    QVERIFY(!QFile::exists(QString::fromLatin1(CRateDates::kFileName.data())));
    QCOMPARE(Fetch(Ok(sample)), std::string("The exchange rates of 2026-12-08 are in the currency "
                                            "converter for 30 currencies."));
    QCOMPARE(CRateDates::Load(m_files).DateOf("Japan Yen"), std::string("2026-12-08"));
  }
};

QTEST_MAIN(RatesButtonTest)
#include "ratesbutton_test.moc"
