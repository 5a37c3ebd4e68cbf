// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ftpfixture.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace zw::test {

namespace {

constexpr std::chrono::seconds kStartLimit{10};
constexpr std::chrono::seconds kEndLimit{3};
constexpr std::string_view kReady = "READY ";
constexpr std::string_view kCommand = "CMD ";

}  // namespace

FtpFixture::FtpFixture(const std::string& root) : FtpFixture(root, Options{}) {}

FtpFixture::FtpFixture(const std::string& root, const Options& options) {
  std::vector<std::string> args = {ZW_SYSTEM_PYTHON, ZW_FTP_FIXTURE, "--root", root,
                                   "--tools",        ZW_TOOLS_DIR};
  if (!options.password.empty()) {
    args.insert(args.end(), {"--password", options.password});
  }
  if (options.multiLineBanner) {
    args.emplace_back("--multi-line-banner");
  }
  if (options.stallRetr) {
    args.emplace_back("--stall-retr");
  }
  if (options.stallType) {
    args.emplace_back("--stall-type");
  }
  if (options.throttle > 0) {
    args.insert(args.end(), {"--throttle", std::to_string(options.throttle)});
  }
  if (options.refusePassive) {
    args.emplace_back("--refuse-passive");
  }
  if (options.hangUpInRetr) {
    args.emplace_back("--hang-up-in-retr");
  }
  m_host = options.host;
  args.insert(args.end(), {"--host", m_host});
  std::vector<char*> argv;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);

  int input[2];
  int output[2];
  if (::pipe2(input, O_CLOEXEC) != 0) {
    return;
  }
  if (::pipe2(output, O_CLOEXEC) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  const int spawned = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(input[0]);
  ::close(output[1]);
  m_input = input[1];
  m_output = output[0];
  if (spawned != 0) {
    m_pid = -1;
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  std::string line;
  while (ReadLine(line, deadline)) {
    if (line.starts_with(kReady)) {
      m_port = static_cast<std::uint16_t>(std::stoi(line.substr(kReady.size())));
      return;
    }
  }
}

FtpFixture::~FtpFixture() {
  if (m_input >= 0) {
    ::close(m_input);  // the fixture ends when its input does
  }
  if (m_pid > 0) {
    const auto deadline = std::chrono::steady_clock::now() + kEndLimit;
    while (::waitpid(m_pid, nullptr, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  if (m_output >= 0) {
    ::close(m_output);
  }
}

std::string FtpFixture::Directory(const std::string& path) const {
  std::string text = m_host.find(':') == std::string::npos ? m_host : "[" + m_host + "]";
  text += ':';
  text += std::to_string(m_port);
  text += '/';
  text += path;
  return text;
}

bool FtpFixture::ReadLine(std::string& line, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const std::size_t feed = m_pending.find('\n');
    if (feed != std::string::npos) {
      line = m_pending.substr(0, feed);
      m_pending.erase(0, feed + 1);
      return true;
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (m_output < 0 || left.count() <= 0) {
      return false;
    }
    pollfd readable{m_output, POLLIN, 0};
    if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
      return false;
    }
    char buffer[512];
    const ssize_t n = ::read(m_output, buffer, sizeof buffer);
    if (n <= 0) {
      return false;
    }
    m_pending.append(buffer, static_cast<std::size_t>(n));
  }
}

std::vector<std::string> FtpFixture::Commands(std::size_t count, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  std::string line;
  // Whatever has arrived is taken in; only a shortfall waits.
  while (ReadLine(line, m_commands.size() < count ? deadline : std::chrono::steady_clock::now())) {
    if (line.starts_with(kCommand)) {
      m_commands.push_back(line.substr(kCommand.size()));
    }
  }
  return m_commands;
}

}  // namespace zw::test
