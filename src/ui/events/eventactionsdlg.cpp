// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/eventactionsdlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <limits>

#include "events/alarmmonitor.h"
#include "platform/messagesink.h"
#include "platform/processlauncher.h"
#include "ui/platform/latin1.h"
#include "ui/platform/qtalarmactions.h"
#include "ui/platform/wavplayer.h"
#include "ui/widgets/numedit.h"
#include "ui/widgets/spinfield.h"

namespace zw {

namespace {

constexpr int kMessageLines = 4;

// Paths and commands are kept as the file system spells them.
std::string ToPath(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

QString FromPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

// Leading blanks, an optional sign, then digits; 0 when there are none. A number too long to
// hold comes out beyond any valid count rather than wrapped into range.
int DecimalValue(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  while (first != last && std::isspace(static_cast<unsigned char>(*first))) {
    ++first;
  }
  if (first != last && *first == '+') {
    ++first;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    return *first == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  return end == first ? 0 : value;
}

// The directory a path lies in: the text before its last "/", the root for a file at the
// root, nothing for a bare name.
QString DirectoryPart(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  if (slash < 0) {
    return {};
  }
  return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// The program of a command line, without its arguments.
QString ProgramPart(const QString& command) {
  const auto words = CProcessLauncher::SplitCommandLine(ToPath(command));
  if (words && !words->empty()) {
    return FromPath(words->front());
  }
  return command.left(command.indexOf(u' '));
}

// A chosen path goes into a command line, whose words are split at blanks and quotes.
QString AsCommand(const QString& path) {
  const bool plain = std::none_of(path.begin(), path.end(), [](QChar c) {
    return c.isSpace() || c == u'"' || c == u'\'' || c == u'\\';
  });
  if (plain) {
    return path;
  }
  QString quoted = path;
  quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
  return QChar(u'"') + quoted + QChar(u'"');
}

// `field`, when given, is what the label's key leads to.
QLabel* FieldLabel(const char* text, QWidget* field = nullptr) {
  auto* label = new QLabel(QCoreApplication::translate("zw::CEventActionsDlg", text));
  label->setBuddy(field);
  return label;
}

QLineEdit* PathField() {
  auto* field = new QLineEdit;
  field->setMaxLength(CEventActionsDlg::kPathMax);
  return field;
}

}  // namespace

CEventActionsDlg::CEventActionsDlg(const EventActions& values, IMessageSink& messages,
                                   QWidget* parent)
    : QDialog(parent),
      m_messages(messages),
      m_values(values),
      m_chooser([this](const FileRequest& request) { return RunFileDialog(this, request); }),
      m_ownActions(std::make_unique<CQtAlarmActions>(this)),
      m_actions(m_ownActions.get()),
      m_play([](const std::string& file) { CWavPlayer::PlayOnce(file); }) {
  setWindowTitle(tr(kTitle));
  BuildControls();
  Load(values);
  Connect();
}

CEventActionsDlg::~CEventActionsDlg() = default;

std::atomic<bool>& CEventActionsDlg::TestStopFlag() {
  static std::atomic<bool> stop{false};
  return stop;
}

CSoundThreads& CEventActionsDlg::TestSounds() {
  static CSoundThreads sounds;
  return sounds;
}

std::optional<QString> CEventActionsDlg::RunFileDialog(QWidget* parent,
                                                       const FileRequest& request) {
  QFileDialog dialog(parent, request.title, request.directory, request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (request.executablesOnly) {
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
  }
  if (!request.fileName.isEmpty()) {
    dialog.selectFile(request.fileName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front();
}

void CEventActionsDlg::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildMessageGroup());
  layout->addWidget(BuildMediaGroup());
  layout->addWidget(BuildProgramGroup());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  m_test = buttons->addButton(tr("&Test"), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CEventActionsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CEventActionsDlg::reject);
}

QWidget* CEventActionsDlg::BuildMessageGroup() {
  auto* group = new QGroupBox;
  auto* column = new QVBoxLayout(group);
  m_showMessage = new QCheckBox(tr("&Message Box"));
  m_messageText = new QPlainTextEdit;
  m_messageText->setTabChangesFocus(true);
  m_messageText->setFixedHeight(m_messageText->fontMetrics().lineSpacing() * kMessageLines +
                                2 * m_messageText->frameWidth() +
                                static_cast<int>(2 * m_messageText->document()->documentMargin()));
  m_notifyMissed = new QCheckBox(tr("&notify of missed event"));
  column->addWidget(m_showMessage);
  column->addWidget(m_messageText);
  column->addWidget(m_notifyMissed);
  return group;
}

QWidget* CEventActionsDlg::BuildMediaGroup() {
  auto* group = new QGroupBox;
  auto* grid = new QGridLayout(group);
  m_playMedia = new QCheckBox(tr("M&ultimedia"));
  m_mediaFile = PathField();
  m_mediaBrowse = new QPushButton(tr("&Browse"));
  m_times = new CSpinField(kMinTimes, kMaxTimes);
  m_wavLabel = FieldLabel(QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "Play &WAV file"), m_times);
  m_timesLabel = FieldLabel(QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "Times"));

  auto* timesRow = new QHBoxLayout;
  timesRow->addWidget(m_wavLabel);
  timesRow->addWidget(m_times);
  timesRow->addWidget(m_timesLabel);
  timesRow->addStretch();

  grid->addWidget(m_playMedia, 0, 0, 1, 3);
  grid->addWidget(FieldLabel(QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "&File Name:"), m_mediaFile),
                  1, 0);
  grid->addWidget(m_mediaFile, 1, 1);
  grid->addWidget(m_mediaBrowse, 1, 2);
  grid->addLayout(timesRow, 2, 1, 1, 2);
  return group;
}

QWidget* CEventActionsDlg::BuildProgramGroup() {
  auto* group = new QGroupBox;
  auto* grid = new QGridLayout(group);
  m_runProgram = new QCheckBox(tr("&Run Program"));
  m_program = PathField();
  m_programBrowse = new QPushButton(tr("Br&owse"));
  m_startDir = PathField();
  grid->addWidget(m_runProgram, 0, 0, 1, 3);
  grid->addWidget(FieldLabel(QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "F&ile Name:"), m_program),
                  1, 0);
  grid->addWidget(m_program, 1, 1);
  grid->addWidget(m_programBrowse, 1, 2);
  grid->addWidget(
      FieldLabel(QT_TRANSLATE_NOOP("zw::CEventActionsDlg", "&Start in Directory:"), m_startDir), 2,
      0);
  grid->addWidget(m_startDir, 2, 1);
  return group;
}

void CEventActionsDlg::Connect() {
  connect(m_showMessage, &QCheckBox::toggled, this, &CEventActionsDlg::EnableControls);
  connect(m_playMedia, &QCheckBox::toggled, this, &CEventActionsDlg::EnableControls);
  connect(m_runProgram, &QCheckBox::toggled, this, &CEventActionsDlg::EnableControls);
  connect(m_mediaFile, &QLineEdit::textChanged, this, &CEventActionsDlg::ApplyWavRule);
  connect(m_messageText, &QPlainTextEdit::textChanged, this, &CEventActionsDlg::LimitMessage);
  connect(m_mediaBrowse, &QPushButton::clicked, this, &CEventActionsDlg::BrowseMedia);
  connect(m_programBrowse, &QPushButton::clicked, this, &CEventActionsDlg::BrowseProgram);
  connect(m_test, &QPushButton::clicked, this, &CEventActionsDlg::Test);
}

// Stored texts break lines with "\r\n", as event files always have.
void CEventActionsDlg::Load(const EventActions& values) {
  m_showMessage->setChecked(values.showMessage);
  QString message = QString::fromLatin1(values.messageText.data(),
                                        static_cast<qsizetype>(values.messageText.size()));
  m_acceptedMessage = message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  m_messageText->setPlainText(m_acceptedMessage);
  m_notifyMissed->setChecked(values.notifyMissed);
  m_playMedia->setChecked(values.playMedia);
  m_mediaFile->setText(FromPath(values.mediaFile));
  m_times->SetText(QString::fromStdString(values.timesText));
  m_runProgram->setChecked(values.runProgram);
  m_program->setText(FromPath(values.programCommand));
  m_startDir->setText(FromPath(values.startDirectory));
  EnableControls();
}

// "Test" stays usable while any action is chosen, however the boxes were reached; the WAV
// controls are usable only for a WAV file, the file name being all that tells a sound from
// a movie.
void CEventActionsDlg::EnableControls() {
  const bool message = m_showMessage->isChecked();
  const bool media = m_playMedia->isChecked();
  const bool program = m_runProgram->isChecked();
  m_messageText->setEnabled(message);
  m_notifyMissed->setEnabled(message);
  m_mediaFile->setEnabled(media);
  m_mediaBrowse->setEnabled(media);
  ApplyWavRule();
  m_program->setEnabled(program);
  m_programBrowse->setEnabled(program);
  m_startDir->setEnabled(program);
  m_test->setEnabled(message || media || program);
}

void CEventActionsDlg::ApplyWavRule() {
  const bool wav = m_playMedia->isChecked() && IsWav();
  m_wavLabel->setEnabled(wav);
  m_times->setEnabled(wav);
  m_timesLabel->setEnabled(wav);
}

// At most kMessageTypedMax characters can be typed or pasted; a longer stored text is shown
// whole, and then only shortened. An insertion that does not fit is cut to what does.
void CEventActionsDlg::LimitMessage() {
  if (m_limiting) {
    return;
  }
  const QString now = m_messageText->toPlainText();
  const QString& before = m_acceptedMessage;
  const qsizetype shorter = std::min(now.size(), before.size());
  qsizetype prefix = 0;
  while (prefix < shorter && now[prefix] == before[prefix]) {
    ++prefix;
  }
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         now[now.size() - 1 - suffix] == before[before.size() - 1 - suffix]) {
    ++suffix;
  }
  const qsizetype inserted = now.size() - prefix - suffix;
  const qsizetype kept = prefix + suffix;
  const qsizetype room = std::max<qsizetype>(0, kMessageTypedMax - kept);
  if (inserted > room) {
    m_limiting = true;
    QTextCursor cursor(m_messageText->document());
    cursor.setPosition(static_cast<int>(prefix + room));
    cursor.setPosition(static_cast<int>(prefix + inserted), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_messageText->setTextCursor(cursor);
    m_limiting = false;
  }
  m_acceptedMessage = m_messageText->toPlainText();
}

void CEventActionsDlg::BrowseMedia() {
  const QString current = m_mediaFile->text();
  const bool video =
      current.contains(QStringLiteral("AVI")) || current.contains(QStringLiteral("avi"));
  const FileRequest request{tr(kMediaTitle), tr(video ? kAviFirstFilter : kWavFirstFilter),
                            DirectoryPart(current), current};
  const std::optional<QString> chosen = m_chooser(request);
  if (!chosen) {
    return;
  }
  m_mediaFile->setText(*chosen);
  ApplyWavRule();
}

void CEventActionsDlg::BrowseProgram() {
  const FileRequest request{tr(kProgramTitle), tr(kProgramFilter), m_startDir->text(),
                            ProgramPart(m_program->text()), true};
  const std::optional<QString> chosen = m_chooser(request);
  if (!chosen) {
    return;
  }
  m_program->setText(AsCommand(*chosen));
  if (chosen->contains(u'/')) {
    m_startDir->setText(DirectoryPart(*chosen));
  }
}

// Carries out the chosen actions as an alarm would, except that the sound has its own stop
// flag and a program's start is not logged. Paths are used as typed: names here are
// case-sensitive.
void CEventActionsDlg::Test() {
  if (m_playMedia->isChecked() && IsWav()) {
    TestStopFlag().store(false);
    TestSounds().Start(MediaName(), TimesValue(), TestStopFlag(), m_play);
  }
  if (m_runProgram->isChecked()) {
    TestProgram();
  }
  if (m_playMedia->isChecked() && IsAvi()) {
    m_actions->OpenMovie(MediaName());
  }
  if (m_showMessage->isChecked()) {
    m_actions->ShowMessage(MessageText());
    TestStopFlag().store(true);
  }
}

void CEventActionsDlg::TestProgram() {
  const std::string command = ToPath(m_program->text());
  if (command.empty()) {
    m_messages.Warn(kNoProgramEntered);
    return;
  }
  std::string reason;
  if (!m_actions->StartProcess(command, ToPath(m_startDir->text()), reason)) {
    m_messages.Warn(CAlarmMonitor::RunErrorText(Latin1Bytes(m_program->text()), reason));
  }
}

void CEventActionsDlg::accept() {
  if (m_showMessage->isChecked() && m_messageText->toPlainText().isEmpty()) {
    Refuse(kMessageMissing, m_messageText);
    return;
  }
  if (m_playMedia->isChecked()) {
    const std::string name = MediaName();
    std::error_code error;
    if (name.empty()) {
      Refuse(kMediaMissing, m_mediaFile);
      return;
    }
    if (!std::filesystem::exists(name, error)) {
      Refuse(kMediaNotFound, m_mediaFile);
      return;
    }
    if (!IsWav() && !IsAvi()) {
      Refuse(kMediaKindUnknown, m_mediaFile);
      return;
    }
    // A sound that would play nothing at its alarm is refused now, while it can be mended.
    if (IsWav() && !IsAvi() && !CWavPlayer::CanDecode(name)) {
      Refuse(kSoundUnreadable, m_mediaFile);
      return;
    }
    // Asked of a movie too, although only a sound repeats.
    const int times = TimesValue();
    if (times < kMinTimes || times > kMaxTimes) {
      Refuse(kTimesRange, m_times->Edit());
      return;
    }
  }
  if (m_runProgram->isChecked() && m_program->text().isEmpty()) {
    Refuse(kProgramMissing, m_program);
    return;
  }
  m_values = Read();
  QDialog::accept();
}

void CEventActionsDlg::Refuse(const char* text, QWidget* field) {
  m_messages.Warn(text);
  field->setFocus();
}

EventActions CEventActionsDlg::Read() const {
  EventActions values;
  values.showMessage = m_showMessage->isChecked();
  values.messageText = MessageText();
  values.notifyMissed = m_notifyMissed->isChecked();
  values.playMedia = m_playMedia->isChecked();
  values.mediaFile = MediaName();
  values.timesText = m_times->Edit()->text().toStdString();
  values.runProgram = m_runProgram->isChecked();
  values.programCommand = ToPath(m_program->text());
  values.startDirectory = ToPath(m_startDir->text());
  return values;
}

CNumEdit* CEventActionsDlg::TimesEdit() const {
  return m_times->Edit();
}

std::string CEventActionsDlg::MediaName() const {
  return ToPath(m_mediaFile->text());
}

std::string CEventActionsDlg::MessageText() const {
  QString text = m_messageText->toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text.toLatin1().left(kMessageAcceptedMax).toStdString();
}

int CEventActionsDlg::TimesValue() const {
  return DecimalValue(m_times->Edit()->text().toStdString());
}

bool CEventActionsDlg::IsWav() const {
  return IsSoundFileName(MediaName());
}

bool CEventActionsDlg::IsAvi() const {
  return IsMovieFileName(MediaName());
}

}  // namespace zw
