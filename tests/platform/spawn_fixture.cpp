// SPDX-License-Identifier: GPL-3.0-or-later
// Started by the process launcher's tests: writes its working directory and its arguments,
// one per line, to the file named by its first argument (relative to that directory).
#include <unistd.h>

#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
  if (argc < 2) {
    return 2;
  }
  char cwd[4096];
  if (::getcwd(cwd, sizeof cwd) == nullptr) {
    return 3;
  }
  std::ofstream out(std::string(argv[1]) + ".part");
  out << cwd << '\n';
  for (int i = 2; i < argc; ++i) {
    out << argv[i] << '\n';
  }
  out.close();
  // Renamed into place so the test never reads a half-written file.
  return std::rename((std::string(argv[1]) + ".part").c_str(), argv[1]) == 0 ? 0 : 4;
}
