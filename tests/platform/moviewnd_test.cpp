#include <QApplication>
#include <QLabel>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/moviewnd.h"
#include "platform/qtalarmactions.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

// Writes little-endian fields and chunk sizes of a RIFF file.
class Riff {
 public:
  void Tag(const char* fourcc) { m_bytes.insert(m_bytes.end(), fourcc, fourcc + 4); }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      m_bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
  }
  void U16(std::uint16_t v) {
    m_bytes.push_back(static_cast<char>(v & 0xFF));
    m_bytes.push_back(static_cast<char>(v >> 8));
  }
  // Opens a chunk (or a list, with its kind) and returns where its size goes.
  std::size_t Open(const char* fourcc, const char* kind = nullptr) {
    Tag(fourcc);
    const std::size_t at = m_bytes.size();
    U32(0);
    if (kind != nullptr) {
      Tag(kind);
    }
    return at;
  }
  void Close(std::size_t at) {
    const auto size = static_cast<std::uint32_t>(m_bytes.size() - at - 4);
    for (int i = 0; i < 4; ++i) {
      m_bytes[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    }
  }
  std::size_t Size() const { return m_bytes.size(); }
  const std::vector<char>& Bytes() const { return m_bytes; }

 private:
  std::vector<char> m_bytes;
};

// A silent movie of uncompressed frames: one second, ten frames of 16 x 16 pixels.
void WriteAvi(const std::string& path) {
  constexpr std::uint32_t kSide = 16, kFrames = 10, kFrameBytes = kSide * kSide * 3;
  Riff r;
  const std::size_t riff = r.Open("RIFF", "AVI ");
  const std::size_t hdrl = r.Open("LIST", "hdrl");
  const std::size_t avih = r.Open("avih");
  for (std::uint32_t v : {100000u, kFrameBytes * 10, 0u, 0x10u, kFrames, 0u, 1u, kFrameBytes, kSide,
                          kSide, 0u, 0u, 0u, 0u}) {
    r.U32(v);
  }
  r.Close(avih);
  const std::size_t strl = r.Open("LIST", "strl");
  const std::size_t strh = r.Open("strh");
  r.Tag("vids");
  r.Tag("DIB ");
  r.U32(0);
  r.U16(0);
  r.U16(0);
  for (std::uint32_t v : {0u, 1u, 10u, 0u, kFrames, kFrameBytes, 0xFFFFFFFFu, 0u}) {
    r.U32(v);
  }
  for (std::uint32_t v : {0u, 0u, kSide, kSide}) {
    r.U16(static_cast<std::uint16_t>(v));
  }
  r.Close(strh);
  const std::size_t strf = r.Open("strf");
  for (std::uint32_t v : {40u, kSide, kSide}) {
    r.U32(v);
  }
  r.U16(1);
  r.U16(24);
  for (std::uint32_t v : {0u, kFrameBytes, 0u, 0u, 0u, 0u}) {
    r.U32(v);
  }
  r.Close(strf);
  r.Close(strl);
  r.Close(hdrl);
  const std::size_t movi = r.Open("LIST", "movi");
  std::vector<std::uint32_t> offsets;
  for (std::uint32_t frame = 0; frame < kFrames; ++frame) {
    offsets.push_back(static_cast<std::uint32_t>(r.Size() - (movi + 4)));
    const std::size_t chunk = r.Open("00db");
    for (std::uint32_t i = 0; i < kFrameBytes; ++i) {
      r.U16(0);  // two bytes at a time: the frame size is even
      ++i;
    }
    r.Close(chunk);
  }
  r.Close(movi);
  const std::size_t idx = r.Open("idx1");
  for (std::uint32_t offset : offsets) {
    r.Tag("00db");
    r.U32(0x10);
    r.U32(offset);
    r.U32(kFrameBytes);
  }
  r.Close(idx);
  r.Close(riff);
  std::ofstream(path, std::ios::binary)
      .write(r.Bytes().data(), static_cast<std::streamsize>(r.Size()));
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
