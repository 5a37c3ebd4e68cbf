// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <cstdint>
#include <fstream>
#include <vector>

#include "support/tempdir.h"
#include "ui/platform/moviewnd.h"
#include "ui/platform/qtalarmactions.h"

using namespace zw;

namespace {

// A silent movie of uncompressed frames: one second, ten black frames of 16 x 16 pixels.
void WriteAvi(const std::string& path) {
  constexpr std::uint32_t kSide = 16, kFrames = 10, kFrameBytes = kSide * kSide * 3;
  std::string b;
  const auto u32 = [&b](std::initializer_list<std::uint32_t> values) {
    for (std::uint32_t v : values) {
      for (int i = 0; i < 4; ++i) {
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
      }
    }
  };
  // Opens a chunk, or a list with its kind; the size is filled in by `close`.
  const auto open = [&b](const char* fourcc, const char* kind = "") {
    b += fourcc;
    const std::size_t at = b.size();
    b += std::string(4, '\0') + kind;
    return at;
  };
  const auto close = [&b](std::size_t at) {
    const auto size = static_cast<std::uint32_t>(b.size() - at - 4);
    for (std::size_t i = 0; i < 4; ++i) {
      b[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    }
  };
  const std::size_t riff = open("RIFF", "AVI "), hdrl = open("LIST", "hdrl"), avih = open("avih");
  u32({100000, kFrameBytes * 10, 0, 0x10, kFrames, 0, 1, kFrameBytes, kSide, kSide, 0, 0, 0, 0});
  close(avih);
  const std::size_t strl = open("LIST", "strl"), strh = open("strh");
  b += "vidsDIB ";
  u32({0, 0, 0, 1, 10, 0, kFrames, kFrameBytes, 0xFFFFFFFF, 0, 0, kSide | (kSide << 16)});
  close(strh);
  const std::size_t strf = open("strf");
  u32({40, kSide, kSide, 1 | (24 << 16), 0, kFrameBytes, 0, 0, 0, 0});
  close(strf);
  close(strl);
  close(hdrl);
  const std::size_t movi = open("LIST", "movi");
  std::vector<std::uint32_t> offsets;
  for (std::uint32_t frame = 0; frame < kFrames; ++frame) {
    offsets.push_back(static_cast<std::uint32_t>(b.size() - (movi + 4)));
    b += "00db";
    u32({kFrameBytes});
    b += std::string(kFrameBytes, '\0');
  }
  close(movi);
  const std::size_t idx1 = open("idx1");
  for (std::uint32_t offset : offsets) {
    b += "00db";
    u32({0x10, offset, kFrameBytes});
  }
  close(idx1);
  close(riff);
  std::ofstream(path, std::ios::binary) << b;
}

QList<CMovieWnd*> MovieWindows() {
  QList<CMovieWnd*> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* movie = qobject_cast<CMovieWnd*>(w)) {
      windows << movie;
    }
  }
  return windows;
}

}  // namespace

class MovieWndTest : public QObject {
  Q_OBJECT

 private slots:
  void missingFileShowsItsNameAndStops() {
    const std::string file = m_dir.File("Holiday Clip.AVI");
    QPointer<CMovieWnd> window = CMovieWnd::Open(file);
    QVERIFY(window != nullptr);
    QVERIFY(window->isWindow());
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->FileLabel()->text(), QString::fromStdString(file));
    QCOMPARE(window->windowTitle(), QStringLiteral("Holiday Clip.AVI"));
    QCOMPARE(window->PositionLabel()->text(), QStringLiteral("0:00 / 0:00"));
    QTRY_VERIFY_WITH_TIMEOUT(window->ModeLabel()->text().startsWith(CMovieWnd::kStopped), 5000);

    // The controls do nothing harmful on a file that cannot play.
    window->PauseButton()->click();
    window->StopButton()->click();
    window->PlayButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->ModeLabel()->text().startsWith(CMovieWnd::kStopped), 5000);

    window->close();
    QTRY_VERIFY(window.isNull());
  }

  void playsAtOnceAndFollowsItsControls() {
    const std::string file = m_dir.File("bars.avi");
    WriteAvi(file);
    QPointer<CMovieWnd> window = CMovieWnd::Open(file);
    QTRY_COMPARE_WITH_TIMEOUT(window->ModeLabel()->text(), QStringLiteral("Playing"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(window->PositionLabel()->text().right(4), QStringLiteral("0:01"),
                              5000);
    window->PauseButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(window->ModeLabel()->text(), QStringLiteral("Paused"), 5000);
    window->StopButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(window->ModeLabel()->text(), QStringLiteral("Stopped"), 5000);
    window->PlayButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(window->ModeLabel()->text(), QStringLiteral("Playing"), 5000);
    window->close();
    QTRY_VERIFY(window.isNull());
  }

  void alarmOpensAWindowOfItsOwn() {
    QWidget clock;
    CQtAlarmActions actions(&clock);
    actions.OpenMovie(m_dir.File("clip.avi"));
    QList<CMovieWnd*> windows = MovieWindows();
    QCOMPARE(windows.size(), qsizetype(1));
    QPointer<CMovieWnd> window = windows.front();
    QVERIFY(window->parentWidget() == nullptr);
    QCOMPARE(window->File(), QString::fromStdString(m_dir.File("clip.avi")));
    window->close();
    QTRY_VERIFY(window.isNull());
  }

 private:
  test::TempDir m_dir;
};

QTEST_MAIN(MovieWndTest)
#include "moviewnd_test.moc"
