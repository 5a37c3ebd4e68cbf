#include "ui/net/ratessourcedlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "convert/ratesupdate.h"
#include "platform/posixfilelayer.h"
#include "settings/desktopprefs.h"
#include "support/recordingsink.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"
#include "ui/net/ratesbutton.h"

using namespace zw;

class RatesSourceTest : public QObject {
  Q_OBJECT

  // Edit, with the user typing `typed` (or pressing Default when null) and pressing OK.
  void Choose(const char* typed) {
    QTimer::singleShot(0, this, [typed] {
      auto* dialog = qobject_cast<CRatesSourceDlg*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      typed != nullptr ? dialog->Field()->setText(QString::fromUtf8(typed))
                       : dialog->DefaultButton()->click();
      dialog->OkButton()->click();
    });
    CRatesSourceDlg::Edit(m_button, m_sink, nullptr);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  test::TempDir m_config;
  test::ScopedEnv m_env{"XDG_CONFIG_HOME", m_config.Path().c_str()};
  CPosixFileLayer m_files;
  test::RecordingSink m_sink;
  CRatesButton m_button{m_files, m_sink, CRatesButton::SourceFromPrefs()};

 private slots:
  void onlyAddressesThatCanBeFetchedAreTaken() {
    const QString defaultSource = m_button.Source();
    const std::pair<QString, bool> addresses[] = {
        {defaultSource, true},
        {"http://127.0.0.1:8080/rates.xml", true},
        {"  https://rates.example.org/daily.xml?day=today  ", true},
        {"HTTPS://[::1]/daily.xml", true},
        {"", false},
        {"ftp://rates.example.org/daily.xml", false},
        {"file:///etc/passwd", false},
        {"https://", false},
        {"rates.example.org/daily.xml", false},
        {"https://rates example.org/", false},
        {"https://rates.example.org/a\tb", false},
    };
    CRatesSourceDlg dialog(defaultSource);
    for (const auto& [text, acceptable] : addresses) {
      dialog.Field()->setText(text);
      QVERIFY2(dialog.OkButton()->isEnabled() == acceptable, qPrintable(text));
      QVERIFY2(dialog.Problem()->isHidden() == acceptable, qPrintable(text));
    }
    dialog.DefaultButton()->click();
    QCOMPARE(dialog.Source(), defaultSource);
    QVERIFY(dialog.OkButton()->isEnabled());
    // Longer than the desktop choices keep, counted in bytes.
    QVERIFY(!CRatesSourceDlg::Acceptable("https://x.example/" + QString(1100, QChar(0xE9))));
  }

  void aChosenSourceIsKeptBesideTheOtherChoices() {
    const std::string path = CDesktopPrefsFile::DefaultPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "alerts=box\ntime-server=ntp:localhost\n";
    Choose("https://rates.example.org/daily.xml");
    QCOMPARE(m_button.Source(), QString("https://rates.example.org/daily.xml"));
    QCOMPARE(CRatesButton::SourceFromPrefs(), m_button.Source());
    QCOMPARE(Read(path), std::string("alerts=box\nclose-to-tray=false\ntime-server=ntp:localhost\n"
                                     "rates-source=https://rates.example.org/daily.xml\n"));
    // The default is no choice, so a later default reaches the user too.
    Choose(nullptr);
    QCOMPARE(m_button.Source(), QString::fromUtf8(CRatesUpdate::kDefaultSource.data(),
                                                  CRatesUpdate::kDefaultSource.size()));
    QVERIFY(Read(path).find("rates-source") == std::string::npos);
    QVERIFY(m_sink.Messages().empty());

    // A file that is not ours stays; the user learns the choice lasts only for now.
    std::ofstream(path) << std::string(CDesktopPrefsFile::kMaxBytes + 1, '#');
    Choose("http://127.0.0.1/rates.xml");
    QCOMPARE(m_button.Source(), QString("http://127.0.0.1/rates.xml"));
    QCOMPARE(Read(path).size(), CDesktopPrefsFile::kMaxBytes + 1);
    QCOMPARE(m_sink.Messages().size(), std::size_t{1});
  }
};

QTEST_MAIN(RatesSourceTest)
#include "ratessourcedlg_test.moc"
