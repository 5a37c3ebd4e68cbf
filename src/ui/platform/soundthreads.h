// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zw {

// Sound loops, each on a thread of its own. A loop outlives whatever started it (an event may
// be deleted, a dialog closed, while its sound repeats), so the threads belong to this owner,
// which is meant to live as long as the program: when it goes it asks each loop to stop
// through the loop's stop flag and waits for the sound being played to end, so the program
// never exits under a playing thread.
class CSoundThreads {
 public:
  using PlayCall = std::function<void(const std::string&)>;

  CSoundThreads() = default;
  ~CSoundThreads();
  CSoundThreads(const CSoundThreads&) = delete;
  CSoundThreads& operator=(const CSoundThreads&) = delete;

  // Runs CAlarmMonitor::PlayLoop with its own copies of the file name and count. `stop` must
  // outlive this object; the loop only reads it. `ended`, when given, is called on the loop's
  // thread once the loop is over and Busy() no longer counts it.
  void Start(std::string file, int playCount, std::atomic<bool>& stop, PlayCall play,
             std::function<void()> ended = {});

  // True while any loop is still running.
  bool Busy() const;

 private:
  struct Loop {
    std::atomic<bool>* stop = nullptr;
    std::atomic<bool> finished{false};
    std::thread thread;
  };

  // Joins the loops that have ended, so a long run does not collect threads.
  void Reap();

  std::vector<std::unique_ptr<Loop>> m_loops;
};

}  // namespace zw
