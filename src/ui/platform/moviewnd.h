// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <string>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QVideoWidget;

namespace zw {

// A movie played for an alarm: a window of its own, not tied to the clock, that plays the
// file at once and stays until the user closes it, which also deletes it.
class CMovieWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kPlaying = QT_TRANSLATE_NOOP("zw::CMovieWnd", "Playing");
  static constexpr const char* kPaused = QT_TRANSLATE_NOOP("zw::CMovieWnd", "Paused");
  static constexpr const char* kStopped = QT_TRANSLATE_NOOP("zw::CMovieWnd", "Stopped");

  explicit CMovieWnd(const QString& file);

  // Opens a window on the file as an alarm names it and starts playing it.
  static CMovieWnd* Open(const std::string& file);

  QString File() const { return m_file; }
  QLabel* FileLabel() const { return m_fileLabel; }
  QLabel* PositionLabel() const { return m_position; }
  QLabel* ModeLabel() const { return m_mode; }
  QPushButton* PlayButton() const { return m_play; }
  QPushButton* PauseButton() const { return m_pause; }
  QPushButton* StopButton() const { return m_stop; }

  // Plays from where it stands, or from the start of the file after a failure.
  void Play();

 private:
  void BuildControls();
  void ShowPosition();
  void ShowMode();
  void OnError();

  QString m_file;
  QMediaPlayer* m_player = nullptr;
  QAudioOutput* m_audio = nullptr;
  QVideoWidget* m_video = nullptr;
  QLabel* m_fileLabel = nullptr;
  QLabel* m_position = nullptr;
  QLabel* m_mode = nullptr;
  QPushButton* m_play = nullptr;
  QPushButton* m_pause = nullptr;
  QPushButton* m_stop = nullptr;
};

}  // namespace zw
