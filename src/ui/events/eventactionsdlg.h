// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "events/eventactions.h"
#include "platform/translatable.h"
#include "ui/platform/soundthreads.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zw {

class CNumEdit;
class CSpinField;
class IAlarmActions;
class IMessageSink;

// What an event does when it comes due: a message box, a sound or movie, a program. "Test"
// carries the chosen actions out at once; its sound has a stop flag of its own, so trying an
// event never cuts short an alarm that is sounding, nor the other way round.
class CEventActionsDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "Event Actions");
  static constexpr int kMessageTypedMax = 255;
  static constexpr int kMessageAcceptedMax = 400;
  static constexpr int kPathMax = 255;
  static constexpr int kMinTimes = 1;
  static constexpr int kMaxTimes = 999;

  static constexpr const char* kMediaTitle =
      QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "Select Multimedia File");
  static constexpr const char* kProgramTitle =
      QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "Select Program File");
  // Linux names are case-sensitive, so both spellings of an extension are listed.
  static constexpr const char* kWavFirstFilter = QT_TRANSLATE_NOOP(
      "zw::CEventActionsDlg",
      "Audio Files (*.wav *.WAV *.ogg *.OGG *.oga *.OGA *.flac *.FLAC *.opus *.OPUS *.mp3 "
      "*.MP3);;Video Files (*.avi *.AVI)");
  static constexpr const char* kAviFirstFilter = QT_TRANSLATE_NOOP(
      "zw::CEventActionsDlg",
      "Video Files (*.avi *.AVI);;Audio Files (*.wav *.WAV *.ogg *.OGG *.oga *.OGA *.flac "
      "*.FLAC *.opus *.OPUS *.mp3 *.MP3)");
  // Programs here carry no extension; the chooser lists the files that may be run.
  static constexpr const char* kProgramFilter =
      QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "Executable Files (*)");

  static constexpr const char* kNoProgramEntered =
      ZW_TR_NOOP("Core", "\"Run program\" check box selected but no program entered.");
  static constexpr const char* kMessageMissing =
      ZW_TR_NOOP("Core", "When a message box alarm is selected, message text must be entered.");
  static constexpr const char* kMediaMissing =
      ZW_TR_NOOP("Core", "A filename must be supplied when selecting multimedia.");
  static constexpr const char* kMediaNotFound =
      ZW_TR_NOOP("Core", "The specified multimedia file can not be found.");
  static constexpr const char* kTimesRange = ZW_TR_NOOP(
      "Core",
      "When a WAV file alarm is requested the \"times\" entered must be between 1 and 999.");
  static constexpr const char* kMediaKindUnknown = ZW_TR_NOOP(
      "Core", "The multimedia file must be a sound (WAV, Ogg, FLAC, Opus or MP3) or an AVI movie.");
  static constexpr const char* kSoundUnreadable = ZW_TR_NOOP(
      "Core", "The sound file cannot be played: it is not in a format the program reads.");
  static constexpr const char* kProgramMissing =
      ZW_TR_NOOP("Core", "When a \"run program\" is requested, a filename must be supplied.");

  // What a file chooser is asked for.
  struct FileRequest {
    QString title;
    QString filter;  // Qt's form: "Name (*.a *.b);;Other (*.c)"
    QString directory;
    QString fileName;
    bool executablesOnly = false;
  };
  // Returns the chosen path, or nothing when the chooser was cancelled.
  using FileChooser = std::function<std::optional<QString>(const FileRequest&)>;

  CEventActionsDlg(const EventActions& values, IMessageSink& messages, QWidget* parent = nullptr);
  ~CEventActionsDlg() override;

  // The values after OK.
  const EventActions& Values() const { return m_values; }

  // The services "Test" and "Browse" use; the desktop's own unless replaced.
  void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
  void SetActions(IAlarmActions& actions) { m_actions = &actions; }
  void SetPlayCall(CSoundThreads::PlayCall play) { m_play = std::move(play); }

  // The test sound's state, shared by every Event Actions dialog of the run; the sound may
  // go on after its dialog has closed.
  static std::atomic<bool>& TestStopFlag();
  static CSoundThreads& TestSounds();

  // The platform's file-open dialog.
  static std::optional<QString> RunFileDialog(QWidget* parent, const FileRequest& request);

  QCheckBox* MessageCheck() const { return m_showMessage; }
  QPlainTextEdit* MessageEdit() const { return m_messageText; }
  QCheckBox* NotifyMissedCheck() const { return m_notifyMissed; }
  QCheckBox* MultimediaCheck() const { return m_playMedia; }
  QLineEdit* MediaEdit() const { return m_mediaFile; }
  QPushButton* MediaBrowseButton() const { return m_mediaBrowse; }
  QLabel* WavLabel() const { return m_wavLabel; }
  // The times field with its spin buttons, which are enabled together.
  CSpinField* TimesField() const { return m_times; }
  CNumEdit* TimesEdit() const;
  QLabel* TimesLabel() const { return m_timesLabel; }
  QCheckBox* RunProgramCheck() const { return m_runProgram; }
  QLineEdit* ProgramEdit() const { return m_program; }
  QPushButton* ProgramBrowseButton() const { return m_programBrowse; }
  QLineEdit* StartDirEdit() const { return m_startDir; }
  QPushButton* TestButton() const { return m_test; }

  void accept() override;

 private:
  void BuildControls();
  QWidget* BuildMessageGroup();
  QWidget* BuildMediaGroup();
  QWidget* BuildProgramGroup();
  void Connect();
  void Load(const EventActions& values);
  void EnableControls();
  void ApplyWavRule();
  void LimitMessage();
  void BrowseMedia();
  void BrowseProgram();
  void Test();
  void TestProgram();
  void Refuse(const char* text, QWidget* field);
  EventActions Read() const;

  std::string MediaName() const;
  std::string MessageText() const;
  int TimesValue() const;
  bool IsWav() const;
  bool IsAvi() const;

  IMessageSink& m_messages;
  EventActions m_values;
  FileChooser m_chooser;
  std::unique_ptr<IAlarmActions> m_ownActions;
  IAlarmActions* m_actions = nullptr;
  CSoundThreads::PlayCall m_play;
  // The message text as last accepted, so typing beyond the limit can be taken back.
  QString m_acceptedMessage;
  bool m_limiting = false;

  QCheckBox* m_showMessage = nullptr;
  QPlainTextEdit* m_messageText = nullptr;
  QCheckBox* m_notifyMissed = nullptr;
  QCheckBox* m_playMedia = nullptr;
  QLineEdit* m_mediaFile = nullptr;
  QPushButton* m_mediaBrowse = nullptr;
  QLabel* m_wavLabel = nullptr;
  CSpinField* m_times = nullptr;
  QLabel* m_timesLabel = nullptr;
  QCheckBox* m_runProgram = nullptr;
  QLineEdit* m_program = nullptr;
  QPushButton* m_programBrowse = nullptr;
  QLineEdit* m_startDir = nullptr;
  QPushButton* m_test = nullptr;
};

}  // namespace zw
