// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/autostart.h"
#include "settings/desktopprefs.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

DesktopPrefs Prefs(AlertStyle alerts, bool closeToTray) {
  DesktopPrefs prefs;
  prefs.alerts = alerts;
  prefs.closeToTray = closeToTray;
  return prefs;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

// XDG_CONFIG_HOME aimed at a fresh folder for the life of the test.
class ConfigHome {
 public:
  ConfigHome() {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    m_old = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", m_dir.Path().c_str(), 1);
  }
  ~ConfigHome() {
    m_old ? ::setenv("XDG_CONFIG_HOME", m_old->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  }
  std::string Path() const { return m_dir.Path(); }

 private:
  test::TempDir m_dir;
  std::optional<std::string> m_old;
};

}  // namespace

TEST(DesktopPrefs, EveryChoiceSurvivesTheFileUnderTheConfigHome) {
  const ConfigHome home;
  EXPECT_EQ(CDesktopPrefsFile::DefaultPath(), home.Path() + "/zonewright/desktop.conf");
  for (const AlertStyle style : {AlertStyle::kBox, AlertStyle::kNotification, AlertStyle::kBoth}) {
    for (const bool tray : {false, true}) {
      CDesktopPrefsFile file(CDesktopPrefsFile::DefaultPath());
      DesktopPrefs prefs = Prefs(style, tray);
      prefs.markChanges = !tray;
      ASSERT_TRUE(file.Save(prefs));
      const DesktopPrefs read = CDesktopPrefsFile(CDesktopPrefsFile::DefaultPath()).Load();
      EXPECT_EQ(read.alerts, style);
      EXPECT_EQ(read.closeToTray, tray);
      EXPECT_EQ(read.markChanges, !tray);
    }
  }
}

TEST(DesktopPrefs, StrangeLinesFallBackToDefaultsOneKeyAtATime) {
  const test::TempDir dir;
  const std::string path = dir.File("desktop.conf");
  const DesktopPrefs defaults;
  CDesktopPrefsFile file(path);
  EXPECT_EQ(file.Load().alerts, defaults.alerts);  // no file yet

  WriteAll(path,
           "# mine\n  alerts =  box \r\nclose-to-tray=maybe\nmark-changes=0\nnoise\n=\nfuture=1\n");
  DesktopPrefs read = file.Load();
  EXPECT_EQ(read.alerts, AlertStyle::kBox);
  EXPECT_EQ(read.closeToTray, defaults.closeToTray);
  EXPECT_EQ(read.markChanges, defaults.markChanges);

  WriteAll(path, std::string(5000, '\0') + "\nalerts=notification\nclose-to-tray=true");
  read = file.Load();
  EXPECT_EQ(read.alerts, AlertStyle::kNotification);
  EXPECT_TRUE(read.closeToTray);
}

TEST(DesktopPrefs, AFileThatCannotBeReadIsNeverReplaced) {
  const test::TempDir dir;
  const std::string huge = dir.File("huge.conf");
  const std::string content = "alerts=box\n" + std::string(CDesktopPrefsFile::kMaxBytes, '#');
  WriteAll(huge, content);
  CDesktopPrefsFile file(huge);
  EXPECT_EQ(file.Load().alerts, DesktopPrefs().alerts);
  EXPECT_FALSE(file.Save(Prefs(AlertStyle::kNotification, true)));
  EXPECT_EQ(ReadAll(huge), content);

  std::filesystem::create_directory(dir.File("folder.conf"));
  CDesktopPrefsFile folder(dir.File("folder.conf"));
  folder.Load();
  EXPECT_FALSE(folder.Save({}));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.conf")));
}

TEST(Autostart, EntryIsWrittenUnderTheConfigHomeAndRemoved) {
  const ConfigHome home;
  const std::string path = home.Path() + "/autostart/io.github.zonewright.Zonewright.desktop";
  ASSERT_EQ(CAutostart::DefaultPath(), path);
  const CAutostart entry(CAutostart::DefaultPath());
  EXPECT_FALSE(entry.IsEnabled());
  EXPECT_TRUE(entry.Disable());  // nothing there is switched off already

  ASSERT_TRUE(entry.Enable("/usr/bin/zonewright"));
  EXPECT_TRUE(entry.IsEnabled());
  const std::string text = ReadAll(path);
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  for (const char* line : {"\nType=Application\n", "\nExec=/usr/bin/zonewright\n",
                           "\nX-GNOME-Autostart-enabled=true\n", "\nIcon=zonewright\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));

  ASSERT_TRUE(entry.Disable());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(entry.IsEnabled());
}

TEST(Autostart, EntrySwitchedOffByTheDesktopCountsAsOff) {
  const test::TempDir dir;
  const CAutostart entry(dir.File("zw.desktop"));
  for (const char* off : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
    WriteAll(dir.File("zw.desktop"), std::string("[Desktop Entry]\nExec=zw\n") + off + "\n");
    EXPECT_FALSE(entry.IsEnabled()) << off;
  }
  std::filesystem::remove(dir.File("zw.desktop"));
  std::filesystem::create_directory(dir.File("zw.desktop"));
  EXPECT_FALSE(entry.IsEnabled());
}

// A program path is quoted only when it must be, and escaped first for the quoting and then
// for the value's own backslash rule.
TEST(Autostart, ExecValueQuotesAndEscapesAsDesktopEntriesRequire) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/zonewright", "/usr/bin/zonewright"},
      {"/opt/My Apps/zonewright", "\"/opt/My Apps/zonewright\""},
      {"/opt/100%/zonewright", "/opt/100%%/zonewright"},
      {"/opt/a\"b/zw", R"("/opt/a\\"b/zw")"},
      {"/opt/$HOME`x`/zw", R"("/opt/\\$HOME\\`x\\`/zw")"},
      {"/opt/back\\slash/zw", R"("/opt/back\\\\slash/zw")"},
      {"/opt/it's/zw", "\"/opt/it's/zw\""},
  };
  for (const auto& [program, value] : cases) {
    EXPECT_EQ(CAutostart::ExecValue(program), value) << program;
  }
}
