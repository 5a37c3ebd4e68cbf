// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processlauncher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>

#include <thread>

extern char** environ;

namespace zw {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Owns the spawn attributes so every return path releases them.
class FileActions {
 public:
  FileActions() { m_ok = ::posix_spawn_file_actions_init(&m_actions) == 0; }
  ~FileActions() {
    if (m_ok) {
      ::posix_spawn_file_actions_destroy(&m_actions);
    }
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;

  bool Ok() const { return m_ok; }
  bool ChangeDirectory(const std::string& directory) {
    return ::posix_spawn_file_actions_addchdir_np(&m_actions, directory.c_str()) == 0;
  }
  const posix_spawn_file_actions_t* Get() const { return &m_actions; }

 private:
  posix_spawn_file_actions_t m_actions{};
  bool m_ok = false;
};

}  // namespace

std::optional<std::vector<std::string>> CProcessLauncher::SplitCommandLine(
    std::string_view commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < commandLine.size(); ++i) {
    const char c = commandLine[i];
    if (IsBlank(c)) {
      if (inWord) {
        words.push_back(std::move(word));
        word.clear();
        inWord = false;
      }
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const std::size_t end = commandLine.find('\'', i + 1);
      if (end == std::string_view::npos) {
        return std::nullopt;
      }
      word.append(commandLine.substr(i + 1, end - i - 1));
      i = end;
      continue;
    }
    if (c != '"') {
      word += c;
      continue;
    }
    bool closed = false;
    for (++i; i < commandLine.size(); ++i) {
      const char q = commandLine[i];
      if (q == '"') {
        closed = true;
        break;
      }
      if (q == '\\' && i + 1 < commandLine.size() &&
          (commandLine[i + 1] == '"' || commandLine[i + 1] == '\\')) {
        ++i;
      }
      word += commandLine[i];
    }
    if (!closed) {
      return std::nullopt;
    }
  }
  if (inWord) {
    words.push_back(std::move(word));
  }
  return words;
}

bool CProcessLauncher::Start(std::string_view commandLine, const std::string& directory,
                             int* error) {
  const auto fail = [error](int code) {
    if (error != nullptr) {
      *error = code;
    }
    return false;
  };
  const auto words = SplitCommandLine(commandLine);
  if (!words || words->empty()) {
    return fail(EINVAL);
  }
  FileActions actions;
  if (!actions.Ok() || (!directory.empty() && !actions.ChangeDirectory(directory))) {
    return fail(errno != 0 ? errno : EINVAL);
  }
  std::vector<char*> argv;
  for (const std::string& w : *words) {
    argv.push_back(const_cast<char*>(w.c_str()));
  }
  argv.push_back(nullptr);

  pid_t pid = 0;
  if (const int failed =
          ::posix_spawnp(&pid, argv[0], actions.Get(), nullptr, argv.data(), environ)) {
    return fail(failed);
  }
  // Nobody waits for an alarm's program; a detached waiter keeps it from lingering as a
  // zombie once it ends.
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace zw
