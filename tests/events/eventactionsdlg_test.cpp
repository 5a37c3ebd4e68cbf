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
#include "events/eventactionsdlg.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/tempdir.h"
#include "widgets/numedit.h"
#include "widgets/spinfield.h"

using namespace zw;
using Request = CEventActionsDlg::FileRequest;

namespace {

// A sound call that counts its passes and can hold one of them until released, so a test
// knows exactly which pass was playing when something happened.
struct PlayProbe {
  void Play(const std::string& file) {
    std::unique_lock lock(mutex);
    files.push_back(file);
    if (static_cast<int>(files.size()) == holdAt) {
      changed.notify_all();
      changed.wait_for(lock, std::chrono::seconds(10), [this] { return released; });
    }
  }
  int Plays() {
    std::lock_guard lock(mutex);
    return static_cast<int>(files.size());
  }
  void Release() {
    std::lock_guard lock(mutex);
    released = true;
    changed.notify_all();
  }

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> files;
  int holdAt = 0;
  bool released = false;
};

void Touch(const std::string& path) {
  std::ofstream(path) << "x";
}

// A dialog whose boxes, movies, programs, sounds and file choosers are all recorded.
struct Fixture {
  explicit Fixture(const EventActions& values = {}) : dialog(values, messages) {
    dialog.SetActions(actions);
    dialog.SetPlayCall([p = probe](const std::string& file) { p->Play(file); });
    dialog.SetFileChooser([this](const Request& request) -> std::optional<QString> {
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

  void ShowAndActivate() {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
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

void Toggle(QCheckBox* box) {
  box->click();
}

// The times field with its spin, and both labels: they always go together.
bool TimesOn(const CEventActionsDlg& d) {
  return d.TimesField()->isEnabled() && d.WavLabel()->isEnabled() && d.TimesLabel()->isEnabled();
}

bool TimesOff(const CEventActionsDlg& d) {
  return !d.TimesField()->isEnabled() && !d.WavLabel()->isEnabled() && !d.TimesLabel()->isEnabled();
}

QStringList Texts(const test::RecordingSink& sink) {
  QStringList texts;
  for (const auto& m : sink.Messages()) {
    texts << QString::fromStdString(m.text);
  }
  return texts;
}

}  // namespace

class EventActionsDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void openingEnablesEachGroupByItsFlag() {
    Fixture none;
    for (QWidget* w : std::initializer_list<QWidget*>{
             none.dialog.MessageEdit(), none.dialog.NotifyMissedCheck(), none.dialog.MediaEdit(),
             none.dialog.MediaBrowseButton(), none.dialog.TimesField(), none.dialog.WavLabel(),
             none.dialog.TimesLabel(), none.dialog.ProgramEdit(), none.dialog.ProgramBrowseButton(),
             none.dialog.StartDirEdit(), none.dialog.TestButton()}) {
      QVERIFY2(!w->isEnabled(), qPrintable(w->metaObject()->className()));
    }
    QCOMPARE(none.dialog.windowTitle(), QStringLiteral("Event Actions"));
    QCOMPARE(none.dialog.TimesEdit()->text(), QStringLiteral("10"));

    Fixture all(Everything("/sounds/chime.wav"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{all.dialog.MessageEdit(), all.dialog.NotifyMissedCheck(),
                                         all.dialog.MediaEdit(), all.dialog.MediaBrowseButton(),
                                         all.dialog.ProgramEdit(), all.dialog.ProgramBrowseButton(),
                                         all.dialog.StartDirEdit(), all.dialog.TestButton()}) {
      QVERIFY2(w->isEnabled(), qPrintable(w->metaObject()->className()));
    }
    QVERIFY(TimesOn(all.dialog));
    QCOMPARE(all.dialog.MessageEdit()->toPlainText(), QStringLiteral("Tea is ready"));
    QCOMPARE(all.dialog.TimesEdit()->text(), QStringLiteral("5"));
    QCOMPARE(all.dialog.ProgramEdit()->text(), QStringLiteral("/usr/bin/Kettle --Boil"));

    // A movie has no count to set, from the moment the dialog opens.
    Fixture movie(Everything("/films/clip.avi"));
    QVERIFY(movie.dialog.MediaEdit()->isEnabled());
    QVERIFY(TimesOff(movie.dialog));
  }

  void checkBoxesSwitchTheirGroupsAndTest() {
    Fixture f;
    Toggle(f.dialog.MessageCheck());
    QVERIFY(f.dialog.MessageEdit()->isEnabled());
    QVERIFY(f.dialog.NotifyMissedCheck()->isEnabled());
    QVERIFY(f.dialog.TestButton()->isEnabled());

    f.dialog.MediaEdit()->setText(QStringLiteral("chime.wav"));
    QVERIFY(TimesOff(f.dialog));  // still off with its group
    Toggle(f.dialog.MultimediaCheck());
    QVERIFY(f.dialog.MediaEdit()->isEnabled());
    QVERIFY(f.dialog.MediaBrowseButton()->isEnabled());
    QVERIFY(TimesOn(f.dialog));

    Toggle(f.dialog.RunProgramCheck());
    QVERIFY(f.dialog.ProgramEdit()->isEnabled());
    QVERIFY(f.dialog.ProgramBrowseButton()->isEnabled());
    QVERIFY(f.dialog.StartDirEdit()->isEnabled());

    // Turning one action off leaves "Test" for the others.
    Toggle(f.dialog.MessageCheck());
    QVERIFY(!f.dialog.MessageEdit()->isEnabled());
    QVERIFY(!f.dialog.NotifyMissedCheck()->isEnabled());
    QVERIFY(f.dialog.TestButton()->isEnabled());
    Toggle(f.dialog.MultimediaCheck());
    QVERIFY(!f.dialog.MediaEdit()->isEnabled());
    QVERIFY(!f.dialog.MediaBrowseButton()->isEnabled());
    QVERIFY(!f.dialog.TimesField()->isEnabled());
    QVERIFY(!f.dialog.WavLabel()->isEnabled());
    QVERIFY(!f.dialog.TimesLabel()->isEnabled());
    QVERIFY(f.dialog.TestButton()->isEnabled());
    Toggle(f.dialog.RunProgramCheck());
    QVERIFY(!f.dialog.ProgramEdit()->isEnabled());
    QVERIFY(!f.dialog.StartDirEdit()->isEnabled());
    QVERIFY(!f.dialog.TestButton()->isEnabled());
  }

  void wavRuleFollowsEveryKeystroke() {
    EventActions v;
    v.playMedia = true;
    Fixture f(v);
    f.ShowAndActivate();
    QLineEdit* field = f.dialog.MediaEdit();
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("chime.wa"));
    QVERIFY(TimesOff(f.dialog));
    QTest::keyClick(field, Qt::Key_V);
    QVERIFY(TimesOn(f.dialog));
    QTest::keyClick(field, Qt::Key_Backspace);
    QVERIFY(TimesOff(f.dialog));
    QTest::keyClicks(field, QStringLiteral("V"));  // any letter case
    QVERIFY(TimesOn(f.dialog));
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("clip.avi"));
    QVERIFY(TimesOff(f.dialog));
    QTest::keyClicks(field, QStringLiteral(".wav"));  // both a movie and a sound
    QVERIFY(TimesOn(f.dialog));
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("wav"));  // no dot, no sound
    QVERIFY(TimesOff(f.dialog));
  }

  void messageTextTakes255TypedAndKeepsLongerStoredText() {
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
    QCOMPARE(edit->toPlainText().size(), 255);
    QVERIFY(edit->toPlainText().startsWith(u'a'));
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QStringLiteral("Z"));  // room for one again
    QVERIFY(edit->toPlainText().startsWith(u'Z'));

    // A stored text up to 400 characters is shown and given back whole, line breaks as stored.
    EventActions longer = v;
    longer.messageText = std::string(300, 'm') + "\r\nend";
    Fixture g(longer);
    QCOMPARE(g.dialog.MessageEdit()->toPlainText().size(), 304);
    QTest::keyClicks(g.dialog.MessageEdit(), QStringLiteral("more"));
    QCOMPARE(g.dialog.MessageEdit()->toPlainText().size(), 304);
    g.dialog.accept();
    QCOMPARE(g.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(g.dialog.Values().messageText, longer.messageText);
  }

  void okRefusesInOrderAndFocusesTheField() {
    Fixture f(Everything(""));
    f.ShowAndActivate();
    f.dialog.MessageEdit()->clear();
    f.dialog.ProgramEdit()->clear();
    f.dialog.TimesEdit()->setText(QStringLiteral("0"));

    const auto refused = [&f](const char* text, QWidget* field) {
      f.messages.Clear();
      f.dialog.accept();
      QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
      QVERIFY(f.dialog.isVisible());
      QCOMPARE(Texts(f.messages), QStringList{QString::fromLatin1(text)});
      QCOMPARE(f.messages.Messages().front().kind, test::RecordingSink::Kind::kWarn);
      QCOMPARE(f.dialog.focusWidget(), field);
    };
    refused("When a message box alarm is selected, message text must be entered.",
            f.dialog.MessageEdit());
    f.dialog.MessageEdit()->setPlainText(QStringLiteral("Tea"));
    refused("A filename must be supplied when selecting multimedia.", f.dialog.MediaEdit());
    f.dialog.MediaEdit()->setText(QString::fromStdString(f.dir.File("chime.wav")));
    refused("The specified multimedial file can not be found.", f.dialog.MediaEdit());
    Touch(f.dir.File("chime.wav"));
    refused("When a WAV file alarm is requested the \"times\" entered must be between 1 and 999.",
            f.dialog.TimesEdit());
    f.dialog.TimesEdit()->clear();
    refused("When a WAV file alarm is requested the \"times\" entered must be between 1 and 999.",
            f.dialog.TimesEdit());
    f.dialog.TimesEdit()->setText(QStringLiteral("999"));
    refused("When a \"run program\" is requested, a filename must be supplied.",
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

  void okAsksAMovieForItsCountToo() {
    test::TempDir dir;
    Touch(dir.File("clip.avi"));
    EventActions v;
    v.playMedia = true;
    v.mediaFile = dir.File("clip.avi");
    v.timesText = "0";
    Fixture f(v);
    f.dialog.accept();
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(Texts(f.messages),
             QStringList{"When a WAV file alarm is requested the \"times\" entered must be between "
                         "1 and 999."});
  }

  void okWithoutActionsSkipsEveryCheckAndCancelKeepsTheValues() {
    EventActions v;
    v.timesText = "0";
    v.mediaFile = "/missing.wav";
    Fixture f(v);
    f.dialog.accept();
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QVERIFY(f.messages.Messages().empty());
    QCOMPARE(f.dialog.Values().timesText, std::string("0"));

    Fixture g(Everything("/a.wav"));
    g.dialog.MessageEdit()->setPlainText(QStringLiteral("changed"));
    g.dialog.reject();
    QCOMPARE(g.dialog.Values().messageText, std::string("Tea is ready"));
  }

  void mediaBrowseOffersTheRightFilterFirst() {
    EventActions v;
    v.playMedia = true;
    v.mediaFile = "/home/ann/Films/clip.AVI";
    Fixture f(v);
    f.dialog.MediaBrowseButton()->click();  // cancelled
    QCOMPARE(f.requests.size(), std::size_t(1));
    const Request& r = f.requests.front();
    QCOMPARE(r.title, QStringLiteral("Select Multimedia File"));
    QCOMPARE(r.filter, QStringLiteral("Video Files (*.avi *.AVI);;Audio Files (*.wav *.WAV)"));
    QCOMPARE(r.directory, QStringLiteral("/home/ann/Films"));
    QCOMPARE(r.fileName, QStringLiteral("/home/ann/Films/clip.AVI"));
    QCOMPARE(f.dialog.MediaEdit()->text(), QStringLiteral("/home/ann/Films/clip.AVI"));

    f.chosen = QStringLiteral("/home/ann/Sounds/chime.wav");
    f.dialog.MediaBrowseButton()->click();
    QCOMPARE(f.dialog.MediaEdit()->text(), QStringLiteral("/home/ann/Sounds/chime.wav"));
    QVERIFY(TimesOn(f.dialog));
    f.dialog.MediaBrowseButton()->click();
    QCOMPARE(f.requests.back().filter,
             QStringLiteral("Audio Files (*.wav *.WAV);;Video Files (*.avi *.AVI)"));

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
    const Request& r = f.requests.front();
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

    // A path with blanks is quoted, so it still names one program when started.
    f.chosen = QStringLiteral("/opt/My Tools/run");
    f.dialog.ProgramBrowseButton()->click();
    QCOMPARE(f.requests.back().directory, QStringLiteral("/opt/Tools"));
    QCOMPARE(f.dialog.ProgramEdit()->text(), QStringLiteral("\"/opt/My Tools/run\""));
    QCOMPARE(f.dialog.StartDirEdit()->text(), QStringLiteral("/opt/My Tools"));
    f.dialog.ProgramBrowseButton()->click();
    QCOMPARE(f.requests.back().fileName, QStringLiteral("/opt/My Tools/run"));

    f.chosen = QStringLiteral("/init");
    f.dialog.ProgramBrowseButton()->click();
    QCOMPARE(f.dialog.StartDirEdit()->text(), QStringLiteral("/"));
  }

  void fileDialogOpensWithTitleFilterAndFile() {
    test::TempDir dir;
    Touch(dir.File("chime.wav"));
    const Request request{QStringLiteral("Select Multimedia File"),
                          QStringLiteral("Audio Files (*.wav *.WAV);;Video Files (*.avi *.AVI)"),
                          QString::fromStdString(dir.Path()),
                          QString::fromStdString(dir.File("chime.wav")), false};
    QString title;
    QStringList filters;
    QFileDialog::FileMode mode{};
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      title = box->windowTitle();
      filters = box->nameFilters();
      mode = box->fileMode();
      static_cast<QDialog*>(box)->accept();
    });
    const std::optional<QString> chosen = CEventActionsDlg::RunFileDialog(nullptr, request);
    QCOMPARE(title, QStringLiteral("Select Multimedia File"));
    QCOMPARE(filters, (QStringList{QStringLiteral("Audio Files (*.wav *.WAV)"),
                                   QStringLiteral("Video Files (*.avi *.AVI)")}));
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QString::fromStdString(dir.File("chime.wav")));

    QDir::Filters shown{};
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown = box->filter();
      box->reject();
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
    QVERIFY(CEventActionsDlg::TestStopFlag().load());
    f.probe->Release();
    QTRY_VERIFY_WITH_TIMEOUT(!CEventActionsDlg::TestSounds().Busy(), 5000);
    QCOMPARE(f.probe->Plays(), 2);
    QCOMPARE(f.probe->files.front(), std::string("/sounds/Chime.WAV"));
    QCOMPARE(f.actions.Kinds(), std::vector<std::string>{"message"});
    QCOMPARE(f.actions.Calls().front().text, std::string("Time for tea\r\nnow"));
    // An alarm's sound would have gone on.
    QVERIFY(!CAlarmMonitor::MediaStopFlag().load());
  }

  void testWithoutABoxPlaysEveryPass() {
    EventActions v;
    v.playMedia = true;
    v.mediaFile = "beep.wav";
    v.timesText = "3";
    Fixture f(v);
    f.dialog.TestButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!CEventActionsDlg::TestSounds().Busy(), 5000);
    QCOMPARE(f.probe->Plays(), 3);
    QVERIFY(f.actions.Calls().empty());
    QVERIFY(!CEventActionsDlg::TestStopFlag().load());
  }

  void testWarnsOfAMissingProgramAndStillRunsTheRest() {
    Fixture f(Everything("/films/clip.avi"));
    f.dialog.ProgramEdit()->clear();
    f.dialog.TestButton()->click();
    QCOMPARE(Texts(f.messages),
             QStringList{"\"Run program\" check box selected but no program entered."});
    QCOMPARE(f.actions.Kinds(), (std::vector<std::string>{"movie", "message"}));
    QCOMPARE(f.actions.Calls().front().text, std::string("/films/clip.avi"));
    QCOMPARE(f.probe->Plays(), 0);
  }

  void testStartsTheProgramAsTyped() {
    EventActions v = Everything("");
    v.showMessage = false;
    v.playMedia = false;
    Fixture f(v);
    f.dialog.TestButton()->click();
    QCOMPARE(f.actions.Kinds(), std::vector<std::string>{"start"});
    QCOMPARE(f.actions.Calls().front().text, std::string("/usr/bin/Kettle --Boil"));
    QCOMPARE(f.actions.Calls().front().extra, std::string("/srv/Kitchen"));
    QVERIFY(f.messages.Messages().empty());

    f.actions.SetProcessStarts(false);
    f.dialog.TestButton()->click();
    QCOMPARE(Texts(f.messages), QStringList{"Error running program \"/usr/bin/Kettle --Boil\"."});
    QCOMPARE(f.messages.Messages().front().kind, test::RecordingSink::Kind::kWarn);
  }

  void testStartsRealProgramsWithoutChangingTheirCase() {
    test::TempDir dir;
    const std::string marker = dir.File("Started");
    EventActions v;
    v.runProgram = true;
    v.programCommand = "touch Started";
    v.startDirectory = dir.Path();
    test::RecordingSink messages;
    CEventActionsDlg dialog(v, messages);
    dialog.TestButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(marker)), 5000);
    QVERIFY(messages.Messages().empty());

    dialog.ProgramEdit()->setText(QStringLiteral("/No/Such/Program -x"));
    dialog.TestButton()->click();
    QCOMPARE(Texts(messages), QStringList{"Error running program \"/No/Such/Program -x\"."});
  }
};

QTEST_MAIN(EventActionsDlgTest)
#include "eventactionsdlg_test.moc"
