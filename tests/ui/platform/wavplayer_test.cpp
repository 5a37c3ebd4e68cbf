// SPDX-License-Identifier: GPL-3.0-or-later
#include <sndfile.h>

#include <QElapsedTimer>
#include <QtTest>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "events/alarmmonitor.h"
#include "support/tempdir.h"
#include "support/tonefile.h"
#include "ui/platform/qtalarmactions.h"
#include "ui/platform/soundthreads.h"
#include "ui/platform/wavplayer.h"

using namespace zw;

namespace {

// A short tone, written and later decoded by the same library as a real alarm sound.
bool WriteTone(const std::string& path, int format, int channels) {
  return test::WriteTone(path, format, channels);
}

// Plays for real and counts the playings that reached the device.
struct Counter {
  std::atomic<int> calls{0};
  std::atomic<int> played{0};
};

CSoundThreads::PlayCall CountingPlayer(const std::shared_ptr<Counter>& counter) {
  return [counter](const std::string& file) {
    ++counter->calls;
    if (CWavPlayer::PlayOnce(file)) {
      ++counter->played;
    }
  };
}

class ScopedDevice {
 public:
  explicit ScopedDevice(const char* name) { ::setenv(CWavPlayer::kDeviceVariable, name, 1); }
  ~ScopedDevice() { ::setenv(CWavPlayer::kDeviceVariable, "null", 1); }
  ScopedDevice(const ScopedDevice&) = delete;
  ScopedDevice& operator=(const ScopedDevice&) = delete;
};

}  // namespace

class WavPlayerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ::setenv(CWavPlayer::kDeviceVariable, "null", 1);
    QVERIFY(WriteTone(m_dir.File("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2));
  }

  void playsDecodableFilesToTheEnd() {
    QVERIFY(CWavPlayer::PlayOnce(m_dir.File("tone.wav")));
    const std::string mono = m_dir.File("MONO.WAV");
    QVERIFY(WriteTone(mono, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1));
    QVERIFY(CWavPlayer::PlayOnce(mono));
  }

  void playsEveryCompressedFormatTheLibraryReads() {
    for (const test::ToneFormat& format : test::kCompressedFormats) {
      const std::string file = m_dir.File(std::string("tone.") + format.extension);
      QVERIFY2(test::WriteTone(file, format.format), format.extension);
      QVERIFY2(CWavPlayer::CanDecode(file), format.extension);
      QVERIFY2(CWavPlayer::PlayOnce(file), format.extension);
    }
    std::ofstream(m_dir.File("fake.ogg")) << "not a sound at all";
    QVERIFY(!CWavPlayer::CanDecode(m_dir.File("fake.ogg")));
  }

  void failsQuietlyOnWhatCannotBePlayed() {
    std::ofstream(m_dir.File("text.wav")) << "not a sound at all";
    QVERIFY(!CWavPlayer::PlayOnce(m_dir.File("text.wav")));
    QVERIFY(!CWavPlayer::PlayOnce(m_dir.File("missing.wav")));
    QVERIFY(!CWavPlayer::PlayOnce(m_dir.Path()));
    QVERIFY(!CWavPlayer::PlayOnce(""));
    const ScopedDevice nowhere("zonewright_no_such_device");
    QCOMPARE(CWavPlayer::DeviceName(), std::string("zonewright_no_such_device"));
    QVERIFY(!CWavPlayer::PlayOnce(m_dir.File("tone.wav")));
  }

  void loopPlaysEveryPassWithoutAStop() {
    auto counter = std::make_shared<Counter>();
    std::atomic<bool> stop{false};
    CSoundThreads threads;
    threads.Start(m_dir.File("tone.wav"), 3, stop, CountingPlayer(counter));
    QVERIFY(threads.Busy());
    QTRY_VERIFY_WITH_TIMEOUT(!threads.Busy(), 5000);
    QCOMPARE(counter->played.load(), 3);
  }

  void loopStartsNoPassOnceStopped() {
    auto counter = std::make_shared<Counter>();
    std::atomic<bool> stop{false};
    CSoundThreads threads;
    // The box is "closed" while the second playing goes on.
    auto play = CountingPlayer(counter);
    threads.Start(m_dir.File("tone.wav"), 5, stop, [&stop, play, counter](const std::string& f) {
      play(f);
      if (counter->calls == 2) {
        stop = true;
      }
    });
    QTRY_VERIFY_WITH_TIMEOUT(!threads.Busy(), 5000);
    QCOMPARE(counter->played.load(), 2);

    // A flag already set lets no pass start at all, and a bad file ends the loop quietly.
    threads.Start(m_dir.File("tone.wav"), 5, stop, CountingPlayer(counter));
    QTRY_VERIFY_WITH_TIMEOUT(!threads.Busy(), 5000);
    QCOMPARE(counter->calls.load(), 2);
    stop = false;
    threads.Start(m_dir.File("missing.wav"), 2, stop, CountingPlayer(counter));
    QTRY_VERIFY_WITH_TIMEOUT(!threads.Busy(), 5000);
    QCOMPARE(counter->calls.load(), 4);
    QCOMPARE(counter->played.load(), 2);
  }

  void alarmSoundEndsWithTheProgram() {
    CAlarmMonitor::MediaStopFlag().store(false);
    QElapsedTimer timer;
    {
      CQtAlarmActions actions;
      actions.StartWavLoop(m_dir.File("tone.wav"), 999);
      QTest::qWait(450);  // a couple of passes
      timer.start();
    }
    QVERIFY(timer.elapsed() < 2000);
    QVERIFY(CAlarmMonitor::MediaStopFlag().load());
  }

 private:
  test::TempDir m_dir;
};

QTEST_MAIN(WavPlayerTest)
#include "wavplayer_test.moc"
