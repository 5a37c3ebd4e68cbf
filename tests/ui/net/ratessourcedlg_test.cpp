// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/ratessourcedlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "platform/posixfilelayer.h"
#include "settings/desktopprefs.h"
#include "support/recordingsink.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"
#include "ui/net/ratesbutton.h"

using namespace zw;

class RatesSourceTest : public QObject {
  Q_OBJECT

  // Edit, the user typing `typed` (or pressing Default when null) and then OK.
  void Choose(const char* typed) {
    QTimer::singleShot(0, this, [typed] {
      auto* dialog = qobject_cast<CRatesSourceDlg*>(QApplication::activeModalWidget());
      typed != nullptr ? dialog->Field()->setText(typed) : dialog->DefaultButton()->click();
      dialog->OkButton()->click();
    });
    CRatesSourceDlg::Edit(m_button, m_sink, nullptr);
  }
  std::string Saved() const {
    std::ifstream in(CDesktopPrefsFile::DefaultPath());
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  test::TempDir m_config;
  test::ScopedEnv m_env{"XDG_CONFIG_HOME", m_config.Path().c_str()};
  CPosixFileLayer m_files;
  test::RecordingSink m_sink;
  const QString m_default = CRatesButton::SourceFromPrefs();
  CRatesButton m_button{m_files, m_sink, m_default};

 private slots:
  void onlyAddressesThatCanBeFetchedAreTaken() {
    CRatesSourceDlg dialog(m_default);
    const auto check = [&dialog](const QString& text, bool acceptable) {
      dialog.Field()->setText(text);
      QVERIFY2(dialog.OkButton()->isEnabled() == acceptable, qPrintable(text));
      QVERIFY2(dialog.Problem()->isHidden() == acceptable, qPrintable(text));
    };
    check(m_default, true);
    for (const char* text :
         {" https://[::1]:8443/daily.xml?day=1 ", "HTTP://rates.example.org/x"}) {
      check(text, true);
    }
    for (const char* text :
         {"", "ftp://rates.example.org/x", "file:///etc/passwd", "https://", "rates.example.org/x",
          "https://rates example.org/", "https://rates.example.org/a\tb"}) {
      check(text, false);
    }
    QVERIFY(!CRatesButton::Fetchable("https://x.example/" + QString(1100, QChar(0xE9))));
  }

  void aChosenSourceIsKeptBesideTheOtherChoices() {
    std::filesystem::create_directories(m_config.File("zonewright"));
    std::ofstream(CDesktopPrefsFile::DefaultPath())
        << "alerts=box\ntime-server=ntp:localhost\nrates-source=file:///etc/passwd\n";
    // What cannot be fetched over the web is not fetched from.
    QCOMPARE(CRatesButton::SourceFromPrefs(), m_default);
    Choose("https://rates.example.org/daily.xml");
    QCOMPARE(CRatesButton::SourceFromPrefs(), m_button.Source());
    QCOMPARE(Saved(), std::string("alerts=box\nclose-to-tray=false\nmark-changes=true\n"
                                  "time-server=ntp:localhost\n"
                                  "rates-source=https://rates.example.org/daily.xml\n"));
    // The default is kept as no choice, so a later default reaches the user too.
    Choose(nullptr);
    QVERIFY(m_button.Source() == m_default && Saved().find("rates-source") == std::string::npos);
    QVERIFY(m_sink.Messages().empty());
    // A file that is not ours stays; the user learns the choice lasts only for now.
    std::ofstream(CDesktopPrefsFile::DefaultPath())
        << std::string(CDesktopPrefsFile::kMaxBytes + 1, '#');
    Choose("http://127.0.0.1/rates.xml");
    QVERIFY(m_button.Source() == "http://127.0.0.1/rates.xml" && m_sink.Messages().size() == 1);
    QCOMPARE(Saved().size(), CDesktopPrefsFile::kMaxBytes + 1);
  }
};

QTEST_MAIN(RatesSourceTest)
#include "ratessourcedlg_test.moc"
