#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// A home of its own, so that no user's settings change what is measured.
class ScratchHome {
 public:
  ScratchHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zwbench-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    m_path = made != nullptr ? made : "";
  }
  ~ScratchHome() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchHome(const ScratchHome&) = delete;
  ScratchHome& operator=(const ScratchHome&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// The exit status of one whole run of zw with its output discarded, or -1.
int RunOnce(std::vector<char*>& argv, std::vector<char*>& envp) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, ZW_PROGRAM_PATH, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
    return -1;
  }
  return WEXITSTATUS(status);
}

// What a user waits for: start, load the supplied world database and the settings, show ten
// clocks, exit.
void ZwNowTenLocations(benchmark::State& state) {
  ScratchHome home;
  std::vector<std::string> args = {ZW_PROGRAM_PATH,
                                   "--data-dir",
                                   ZW_SOURCE_DATA_DIR,
                                   "now",
                                   "Tokyo",
                                   "London, United Kingdom",
                                   "New York",
                                   "San Francisco",
                                   "Paris, France",
                                   "Berlin, Germany",
                                   "Sydney, Australia",
                                   "Kolkata",
                                   "Adelaide",
                                   "Lisbon"};
  std::vector<std::string> env = {"HOME=" + home.Path(), "XDG_CONFIG_HOME=" + home.Path()};
  std::vector<char*> argv;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : env) {
    envp.push_back(entry.data());
  }
  envp.push_back(nullptr);

  for (auto _ : state) {
    if (RunOnce(argv, envp) != 0) {
      state.SkipWithError("zw now did not succeed");
      break;
    }
  }
}
BENCHMARK(ZwNowTenLocations)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
