// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/moviewnd.h"

#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace zw {

namespace {

constexpr int kVideoWidth = 480;
constexpr int kVideoHeight = 360;

QString Clock(qint64 milliseconds) {
  const qint64 seconds = milliseconds / 1000;
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

CMovieWnd::CMovieWnd(const QString& file) : QWidget(nullptr), m_file(file) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QFileInfo(file).fileName());
  // Children go in the order they were made: the player first, before the video widget it
  // draws into.
  m_player = new QMediaPlayer(this);
  m_audio = new QAudioOutput(this);
  m_player->setAudioOutput(m_audio);
  BuildControls();
  m_player->setVideoOutput(m_video);
  connect(m_player, &QMediaPlayer::positionChanged, this, &CMovieWnd::ShowPosition);
  connect(m_player, &QMediaPlayer::durationChanged, this, &CMovieWnd::ShowPosition);
  connect(m_player, &QMediaPlayer::playbackStateChanged, this, &CMovieWnd::ShowMode);
  connect(m_player, &QMediaPlayer::errorOccurred, this, &CMovieWnd::OnError);
  connect(m_play, &QPushButton::clicked, this, &CMovieWnd::Play);
  connect(m_pause, &QPushButton::clicked, m_player, &QMediaPlayer::pause);
  connect(m_stop, &QPushButton::clicked, m_player, &QMediaPlayer::stop);
  m_player->setSource(QUrl::fromLocalFile(file));
  ShowPosition();
  ShowMode();
}

CMovieWnd* CMovieWnd::Open(const std::string& file) {
  // Alarm records hold a path as the file system spells it.
  auto* window = new CMovieWnd(QFile::decodeName(QByteArray::fromStdString(file)));
  window->show();
  window->Play();
  return window;
}

void CMovieWnd::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  m_fileLabel = new QLabel(m_file);
  m_fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(m_fileLabel);
  m_video = new QVideoWidget;
  m_video->setMinimumSize(kVideoWidth, kVideoHeight);
  layout->addWidget(m_video, 1);

  auto* row = new QHBoxLayout;
  m_play = new QPushButton(tr("Play"));
  m_pause = new QPushButton(tr("Pause"));
  m_stop = new QPushButton(tr("Stop"));
  m_position = new QLabel;
  m_mode = new QLabel;
  row->addWidget(m_play);
  row->addWidget(m_pause);
  row->addWidget(m_stop);
  row->addStretch();
  row->addWidget(m_position);
  row->addWidget(m_mode);
  layout->addLayout(row);
}

void CMovieWnd::ShowPosition() {
  m_position->setText(Clock(m_player->position()) + QStringLiteral(" / ") +
                      Clock(m_player->duration()));
}

// A file that cannot be played is shown stopped, with the player's reason, since the window
// is all the user has to go on; the player itself may still claim to be playing.
void CMovieWnd::ShowMode() {
  const QString stopped = tr(kStopped);
  if (m_player->error() != QMediaPlayer::NoError) {
    m_mode->setText(stopped + QStringLiteral(": ") + m_player->errorString());
    return;
  }
  switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
      m_mode->setText(tr(kPlaying));
      return;
    case QMediaPlayer::PausedState:
      m_mode->setText(tr(kPaused));
      return;
    case QMediaPlayer::StoppedState:
      m_mode->setText(stopped);
      return;
  }
}

// After a failure the player would claim to play an empty pipeline; loading the file again
// lets it fail, or succeed, for real.
void CMovieWnd::Play() {
  if (m_player->error() != QMediaPlayer::NoError) {
    m_player->setSource(QUrl());
    m_player->setSource(QUrl::fromLocalFile(m_file));
  }
  m_player->play();
}

void CMovieWnd::OnError() {
  m_player->stop();
  ShowMode();
}

}  // namespace zw
