// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include "events/alarmmonitor.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/tempdir.h"
#include "support/tonefile.h"
#include "ui/events/eventactionsdlg.h"
#include "ui/widgets/numedit.h"
#include "ui/widgets/spinfield.h"

using namespace zw;
using Request = CEventActionsDlg::FileRequest;

namespace {

const char* const kTimesRange =
    "When a WAV file alarm is requested the \"times\" entered must be between 1 and 999.";

// A sound call that counts its passes and can hold one of them until released, so a test
// knows which pass was playing when the box closed.
struct PlayProbe {
  void Play(const std::string& file) {
    std::unique_lock lock(mutex);
    files.push_back(file);
    if (static_cast<int>(files.size()) == holdAt) {
      released.wait_for(lock, std::chrono::seconds(10), [this] { return !holding; });
    }
  }
  int Plays() {
    std::lock_guard lock(mutex);
    return static_cast<int>(files.size());
  }
  void Release() {
    std::lock_guard lock(mutex);
    holding = false;
    released.notify_all();
  }

  std::mutex mutex;
  std::condition_variable released;
  std::vector<std::string> files;
  int holdAt = 0;
  bool holding = true;
};

void Touch(const std::string& path) {
  std::ofstream(path) << "x";
}

// A dialog whose boxes, movies, programs, sounds and file choosers are all recorded.
struct Fixture {
  explicit Fixture(const EventActions& values = {}) : dialog(values, messages) {
    dialog.SetActions(actions);
    dialog.SetPlayCall([p = probe](const std::string& file) { p->Play(file); });
    dialog.SetFileChooser([this](const Request& request) {
      requests.push_back(request);
      return chosen;
    });
  }
  ~Fixture() {
    // The test sound outlives the dialog; it must not outlive the test.
    probe->Release();
    CEventActionsDlg::TestStopFlag().store(true);
    QTRY_VERIFY_WITH_TIMEOUT(!CEventActionsDlg::TestSounds().Busy(), 5000);
  }

  // Refused: exactly one warning, the dialog still open, the field focused.
  void Refused(const char* text, QWidget* field) {
    messages.Clear();
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(messages.Messages().size(), std::size_t(1));
    QCOMPARE(messages.Messages().front().kind, test::RecordingSink::Kind::kWarn);
    QCOMPARE(messages.LastText(), std::string(text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), field);
  }

  test::TempDir dir;
  test::RecordingSink messages;
  test::RecordingActions actions;
  std::shared_ptr<PlayProbe> probe = std::make_shared<PlayProbe>();
  std::vector<Request> requests;
  std::optional<QString> chosen;
  CEventActionsDlg dialog;
};

EventActions Everything(const std::string& mediaFile) {
  EventActions v;
  v.showMessage = true;
  v.messageText = "Tea is ready";
  v.playMedia = true;
  v.mediaFile = mediaFile;
  v.timesText = "5";
  v.runProgram = true;
  v.programCommand = "/usr/bin/Kettle --Boil";
  v.startDirectory = "/srv/Kitchen";
  return v;
}

// The usable controls at a glance: message text and notify; media file, its Browse and the
// WAV controls ("W" when the field, its spin and both labels are usable, "?" when they
// disagree); program, its Browse and start directory; Test.
QString Usable(const CEventActionsDlg& d) {
  const auto on = [](const QWidget* w, char letter) { return w->isEnabled() ? letter : '-'; };
  const int wav =
      d.TimesField()->isEnabled() + d.WavLabel()->isEnabled() + d.TimesLabel()->isEnabled();
  const char times = wav == 3 ? 'W' : wav == 0 ? '-' : '?';
  return QString::fromLatin1(std::string{
      on(d.MessageEdit(), 'M'), on(d.NotifyMissedCheck(), 'N'), ' ', on(d.MediaEdit(), 'F'),
      on(d.MediaBrowseButton(), 'B'), times, ' ', on(d.ProgramEdit(), 'P'),
      on(d.ProgramBrowseButton(), 'B'), on(d.StartDirEdit(), 'D'), ' ', on(d.TestButton(), 'T')});
}

}  // namespace

class EventActionsDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void openingFollowsTheFlagsAndTheFileName() {
    Fixture none;
    QCOMPARE(Usable(none.dialog), QStringLiteral("-- --- --- -"));
    QCOMPARE(none.dialog.windowTitle(), QStringLiteral("Event Actions"));
    QCOMPARE(none.dialog.TimesEdit()->text(), QStringLiteral("10"));

    Fixture all(Everything("/sounds/chime.wav"));
    QCOMPARE(Usable(all.dialog), QStringLiteral("MN FBW PBD T"));
    QCOMPARE(all.dialog.MessageEdit()->toPlainText(), QStringLiteral("Tea is ready"));
    QCOMPARE(all.dialog.TimesEdit()->text(), QStringLiteral("5"));
    QCOMPARE(all.dialog.ProgramEdit()->text(), QStringLiteral("/usr/bin/Kettle --Boil"));

    // A movie has no count to set, from the moment the dialog opens.
    Fixture movie(Everything("/films/clip.avi"));
    QCOMPARE(Usable(movie.dialog), QStringLiteral("MN FB- PBD T"));
  }

  void checkBoxesSwitchTheirGroupsAndTestStaysForTheOthers() {
    Fixture f;
    f.dialog.MediaEdit()->setText(QStringLiteral("chime.wav"));
    QCOMPARE(Usable(f.dialog), QStringLiteral("-- --- --- -"));
    f.dialog.MessageCheck()->click();
    QCOMPARE(Usable(f.dialog), QStringLiteral("MN --- --- T"));
    f.dialog.MultimediaCheck()->click();
    QCOMPARE(Usable(f.dialog), QStringLiteral("MN FBW --- T"));
    f.dialog.RunProgramCheck()->click();
    QCOMPARE(Usable(f.dialog), QStringLiteral("MN FBW PBD T"));
    f.dialog.MessageCheck()->click();
    QCOMPARE(Usable(f.dialog), QStringLiteral("-- FBW PBD T"));
    f.dialog.MultimediaCheck()->click();
    QCOMPARE(Usable(f.dialog), QStringLiteral("-- --- PBD T"));
    f.dialog.RunProgramCheck()->click();
    QCOMPARE(Usable(f.dialog), QStringLiteral("-- --- --- -"));
  }

  void wavRuleFollowsEveryKeystroke() {
    EventActions v;
    v.playMedia = true;
    Fixture f(v);
    QLineEdit* field = f.dialog.MediaEdit();
    const auto type = [&](const QString& keys, const char* expected) {
      QTest::keyClicks(field, keys);
      QCOMPARE(Usable(f.dialog), QString::fromLatin1(expected));
    };
    type(QStringLiteral("chime.wa"), "-- FB- --- T");
    type(QStringLiteral("V"), "-- FBW --- T");  // any letter case
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(Usable(f.dialog), QStringLiteral("-- FB- --- T"));
    field->selectAll();
    type(QStringLiteral("clip.avi"), "-- FB- --- T");
    type(QStringLiteral(".wav"), "-- FBW --- T");  // a movie and a sound at once
    field->selectAll();
    type(QStringLiteral("wav"), "-- FB- --- T");  // no dot, no sound
  }

  void messageTextTakes255TypedCharactersButKeepsLongerStoredText() {
    EventActions v;
    v.showMessage = true;
    v.messageText = "Line one\r\nLine two";
    Fixture f(v);
    QPlainTextEdit* edit = f.dialog.MessageEdit();
    QCOMPARE(edit->toPlainText(), QStringLiteral("Line one\nLine two"));
    edit->setPlainText(QString(250, u'a'));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, QStringLiteral("bcdefgh"));
    QCOMPARE(edit->toPlainText(), QString(250, u'a') + QStringLiteral("bcdef"));
    edit->moveCursor(QTextCursor::Start);
    edit->insertPlainText(QStringLiteral("XYZ"));  // a paste that no longer fits
    QCOMPARE(edit->toPlainText(), QString(250, u'a') + QStringLiteral("bcdef"));
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QStringLiteral("YZ"));  // room for one again
    QCOMPARE(edit->toPlainText(), QString(250, u'a').replace(0, 1, u'Y') + QStringLiteral("bcdef"));

    // Up to 400 stored characters come back whole, line breaks as stored; typing adds none.
    v.messageText = std::string(300, 'm') + "\r\nend";
    Fixture g(v);
    QTest::keyClicks(g.dialog.MessageEdit(), QStringLiteral("more"));
    QCOMPARE(g.dialog.MessageEdit()->toPlainText().size(), 304);
    g.dialog.accept();
    QCOMPARE(g.dialog.Values().messageText, v.messageText);
  }

  void okRefusesInOrderAndFocusesTheField() {
    Fixture f(Everything(""));
    f.dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
    f.dialog.MessageEdit()->clear();
    f.dialog.ProgramEdit()->clear();
    f.dialog.TimesEdit()->setText(QStringLiteral("0"));

    f.Refused("When a message box alarm is selected, message text must be entered.",
              f.dialog.MessageEdit());
    f.dialog.MessageEdit()->setPlainText(QStringLiteral("Tea"));
    f.Refused("A filename must be supplied when selecting multimedia.", f.dialog.MediaEdit());
    f.dialog.MediaEdit()->setText(QString::fromStdString(f.dir.File("chime.wav")));
    f.Refused("The specified multimedia file can not be found.", f.dialog.MediaEdit());
    QVERIFY(test::WriteTone(f.dir.File("chime.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    f.Refused(kTimesRange, f.dialog.TimesEdit());
    f.dialog.TimesEdit()->clear();
    f.Refused(kTimesRange, f.dialog.TimesEdit());
    f.dialog.TimesEdit()->setText(QStringLiteral("999"));
    f.Refused("When a \"run program\" is requested, a filename must be supplied.",
              f.dialog.ProgramEdit());

    // The program itself is never looked for.
    f.dialog.ProgramEdit()->setText(QStringLiteral("/no/such/Program -v"));
    f.messages.Clear();
    f.dialog.accept();
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QVERIFY(f.messages.Messages().empty());
    const EventActions& out = f.dialog.Values();
    QCOMPARE(out.messageText, std::string("Tea"));
    QCOMPARE(out.mediaFile, f.dir.File("chime.wav"));
    QCOMPARE(out.timesText, std::string("999"));
    QCOMPARE(out.programCommand, std::string("/no/such/Program -v"));
    QCOMPARE(out.startDirectory, std::string("/srv/Kitchen"));
    QVERIFY(out.showMessage && out.playMedia && out.runProgram && out.notifyMissed);
  }

  void okAsksAMovieForItsCountAndNothingOfActionsNotChosen() {
    test::TempDir dir;
    Touch(dir.File("clip.avi"));
    EventActions v;
    v.playMedia = true;
    v.mediaFile = dir.File("clip.avi");
    v.timesText = "0";
    Fixture movie(v);
    movie.dialog.accept();
    QCOMPARE(movie.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(movie.messages.LastText(), std::string(kTimesRange));

    v.playMedia = false;
    v.mediaFile = "/missing.wav";
    Fixture none(v);
    none.dialog.accept();
    QCOMPARE(none.dialog.result(), int(QDialog::Accepted));
    QVERIFY(none.messages.Messages().empty());
    QCOMPARE(none.dialog.Values().timesText, std::string("0"));
  }

  void everySoundTheLibraryReadsIsTakenAndNothingElse() {
    test::TempDir dir;
    Touch(dir.File("notes.txt"));
    std::ofstream(dir.File("fake.ogg")) << "not a sound at all";
    EventActions v;
    v.playMedia = true;
    for (const test::ToneFormat& format : test::kCompressedFormats) {
      const std::string extension = format.extension;
      for (const std::string& name : {"tone." + extension, "TONE." + extension}) {
        v.mediaFile = dir.File(name);
        QVERIFY(test::WriteTone(v.mediaFile, format.format));
        Fixture f(v);
        // A sound repeats, so its count is asked for, and the Browse filter offers it.
        QCOMPARE(Usable(f.dialog), QStringLiteral("-- FBW --- T"));
        QVERIFY(QString::fromLatin1(CEventActionsDlg::kWavFirstFilter)
                    .contains(QString::fromStdString("*." + extension)));
        f.dialog.accept();
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QVERIFY(f.messages.Messages().empty());
      }
    }
    const struct {
      const char* file;
      const char* refusal;
    } refused[] = {{"notes.txt", CEventActionsDlg::kMediaKindUnknown},
                   {"fake.ogg", CEventActionsDlg::kSoundUnreadable}};
    for (const auto& r : refused) {
      v.mediaFile = dir.File(r.file);
      Fixture f(v);
      f.dialog.show();
      QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
      f.Refused(r.refusal, f.dialog.MediaEdit());
    }
  }

  void mediaBrowseOffersTheLikelyFilterFirst() {
    EventActions v;
    v.playMedia = true;
    v.mediaFile = "/home/ann/Films/clip.AVI";
    Fixture f(v);
    f.dialog.MediaBrowseButton()->click();  // cancelled
    const Request r = f.requests.front();
    QCOMPARE(r.title, QStringLiteral("Select Multimedia File"));
    QCOMPARE(r.filter, QString::fromLatin1(CEventActionsDlg::kAviFirstFilter));
    QCOMPARE(r.directory, QStringLiteral("/home/ann/Films"));
    QCOMPARE(r.fileName, QStringLiteral("/home/ann/Films/clip.AVI"));
    QCOMPARE(f.dialog.MediaEdit()->text(), QStringLiteral("/home/ann/Films/clip.AVI"));

    f.chosen = QStringLiteral("/home/ann/Sounds/chime.wav");
    f.dialog.MediaBrowseButton()->click();
    QCOMPARE(f.dialog.MediaEdit()->text(), QStringLiteral("/home/ann/Sounds/chime.wav"));
    QCOMPARE(Usable(f.dialog), QStringLiteral("-- FBW --- T"));
    f.dialog.MediaBrowseButton()->click();
    QCOMPARE(f.requests.back().filter, QString::fromLatin1(CEventActionsDlg::kWavFirstFilter));
    f.dialog.MediaEdit()->setText(QStringLiteral("bare.wav"));
    f.dialog.MediaBrowseButton()->click();
    QCOMPARE(f.requests.back().directory, QString());
  }

  void programBrowseSplitsTheChosenPath() {
    EventActions v;
    v.runProgram = true;
    v.programCommand = "/usr/bin/kettle --boil";
    Fixture f(v);
    f.dialog.ProgramBrowseButton()->click();  // cancelled
    const Request r = f.requests.front();
    QCOMPARE(r.title, QStringLiteral("Select Program File"));
    QCOMPARE(r.filter, QStringLiteral("Executable Files (*)"));
    QVERIFY(r.executablesOnly);
    QCOMPARE(r.fileName, QStringLiteral("/usr/bin/kettle"));
    QCOMPARE(r.directory, QString());
    QCOMPARE(f.dialog.ProgramEdit()->text(), QStringLiteral("/usr/bin/kettle --boil"));

    f.chosen = QStringLiteral("/opt/Tools/run");
    f.dialog.ProgramBrowseButton()->click();
    QCOMPARE(f.dialog.ProgramEdit()->text(), QStringLiteral("/opt/Tools/run"));
    QCOMPARE(f.dialog.StartDirEdit()->text(), QStringLiteral("/opt/Tools"));

    // A path with blanks is quoted, so that it still names one program when started.
    f.chosen = QStringLiteral("/opt/My Tools/run");
    f.dialog.ProgramBrowseButton()->click();
    QCOMPARE(f.requests.back().directory, QStringLiteral("/opt/Tools"));
    QCOMPARE(f.dialog.ProgramEdit()->text(), QStringLiteral("\"/opt/My Tools/run\""));
    QCOMPARE(f.dialog.StartDirEdit()->text(), QStringLiteral("/opt/My Tools"));
    f.dialog.ProgramBrowseButton()->click();
    QCOMPARE(f.requests.back().fileName, QStringLiteral("/opt/My Tools/run"));
  }

  void fileDialogOpensWithTitleFiltersAndFile() {
    test::TempDir dir;
    Touch(dir.File("chime.wav"));
    const Request media{QStringLiteral("Select Multimedia File"),
                        QStringLiteral("Audio Files (*.wav *.WAV);;Video Files (*.avi *.AVI)"),
                        QString::fromStdString(dir.Path()),
                        QString::fromStdString(dir.File("chime.wav")), false};
    QFileDialog* seen = nullptr;
    QStringList filters;
    QTimer::singleShot(0, [&] {
      seen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(seen != nullptr);
      QCOMPARE(seen->windowTitle(), QStringLiteral("Select Multimedia File"));
      QCOMPARE(seen->fileMode(), QFileDialog::ExistingFile);
      filters = seen->nameFilters();
      static_cast<QDialog*>(seen)->accept();
    });
    QCOMPARE(CEventActionsDlg::RunFileDialog(nullptr, media),
             std::optional(QString::fromStdString(dir.File("chime.wav"))));
    QCOMPARE(filters, (QStringList{"Audio Files (*.wav *.WAV)", "Video Files (*.avi *.AVI)"}));

    QDir::Filters shown{};
    QTimer::singleShot(0, [&] {
      seen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(seen != nullptr);
      shown = seen->filter();
      seen->close();
    });
    const Request program{QStringLiteral("Select Program File"),
                          QStringLiteral("Executable Files (*)"), QString(), QString(), true};
    QVERIFY(!CEventActionsDlg::RunFileDialog(nullptr, program).has_value());
    QVERIFY(shown.testFlag(QDir::Executable));
  }

  void testPlaysTheWavUntilTheBoxIsClosed() {
    EventActions v;
    v.showMessage = true;
    v.messageText = "Time for tea\r\nnow";
    v.playMedia = true;
    v.mediaFile = "/sounds/Chime.WAV";
    v.timesText = "5";
    Fixture f(v);
    CAlarmMonitor::MediaStopFlag().store(false);
    f.probe->holdAt = 2;
    int playsWhileOpen = 0;
    f.actions.SetBoxHook([&f, &playsWhileOpen] {
      for (int i = 0; i < 500 && f.probe->Plays() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      playsWhileOpen = f.probe->Plays();
    });
    f.dialog.TestButton()->click();
    QCOMPARE(playsWhileOpen, 2);
    f.probe->Release();
    QTRY_VERIFY_WITH_TIMEOUT(!CEventActionsDlg::TestSounds().Busy(), 5000);
    QCOMPARE(f.probe->Plays(), 2);
    QCOMPARE(f.probe->files.front(), std::string("/sounds/Chime.WAV"));
    QCOMPARE(f.actions.Kinds(), std::vector<std::string>{"message"});
    QCOMPARE(f.actions.Calls().front().text, std::string("Time for tea\r\nnow"));
    QVERIFY(!CAlarmMonitor::MediaStopFlag().load());  // an alarm's sound would have gone on

    // Without a box nothing stops the passes.
    f.dialog.MessageCheck()->click();
    f.dialog.TimesEdit()->setText(QStringLiteral("3"));
    f.dialog.TestButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!CEventActionsDlg::TestSounds().Busy(), 5000);
    QCOMPARE(f.probe->Plays(), 5);
  }

  void testWarnsOfAMissingProgramAndStillRunsTheRest() {
    Fixture f(Everything("/films/clip.avi"));
    f.dialog.ProgramEdit()->clear();
    f.dialog.TestButton()->click();
    QCOMPARE(f.messages.LastText(),
             std::string("\"Run program\" check box selected but no program entered."));
    QCOMPARE(f.actions.Kinds(), (std::vector<std::string>{"movie", "message"}));
    QCOMPARE(f.actions.Calls().front().text, std::string("/films/clip.avi"));
    QCOMPARE(f.probe->Plays(), 0);
  }

  void testStartsTheProgramAsTypedInItsDirectory() {
    test::TempDir dir;
    EventActions v;
    v.runProgram = true;
    v.programCommand = "touch Started";
    v.startDirectory = dir.Path();
    test::RecordingSink messages;
    CEventActionsDlg dialog(v, messages);
    dialog.TestButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(dir.File("Started"))), 5000);
    QVERIFY(messages.Messages().empty());

    dialog.ProgramEdit()->setText(QStringLiteral("/No/Such/Program -x"));
    dialog.TestButton()->click();
    QCOMPARE(messages.Messages().size(), std::size_t(1));
    QCOMPARE(messages.Messages().front().kind, test::RecordingSink::Kind::kWarn);
    // The system says why.
    QCOMPARE(messages.LastText(), std::string("Error running program \"/No/Such/Program -x\".  "
                                              "No such file or directory."));
  }
};

QTEST_MAIN(EventActionsDlgTest)
#include "eventactionsdlg_test.moc"
