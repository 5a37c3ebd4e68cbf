// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/soundthreads.h"

#include <algorithm>
#include <chrono>

#include "events/alarmmonitor.h"

namespace zw {

CSoundThreads::~CSoundThreads() {
  for (const auto& loop : m_loops) {
    loop->stop->store(true);
  }
  for (const auto& loop : m_loops) {
    loop->thread.join();
  }
}

void CSoundThreads::Start(std::string file, int playCount, std::atomic<bool>& stop, PlayCall play,
                          std::function<void()> ended) {
  Reap();
  auto loop = std::make_unique<Loop>();
  loop->stop = &stop;
  Loop* raw = loop.get();
  raw->thread = std::thread([raw, file = std::move(file), playCount, play = std::move(play),
                             ended = std::move(ended)] {
    CAlarmMonitor::PlayLoop(file, playCount, *raw->stop, play, [](std::chrono::milliseconds pause) {
      std::this_thread::sleep_for(pause);
    });
    raw->finished.store(true);
    if (ended) {
      ended();
    }
  });
  m_loops.push_back(std::move(loop));
}

bool CSoundThreads::Busy() const {
  return std::any_of(m_loops.begin(), m_loops.end(),
                     [](const auto& loop) { return !loop->finished.load(); });
}

void CSoundThreads::Reap() {
  for (auto it = m_loops.begin(); it != m_loops.end();) {
    if (!(*it)->finished.load()) {
      ++it;
      continue;
    }
    (*it)->thread.join();
    it = m_loops.erase(it);
  }
}

}  // namespace zw
