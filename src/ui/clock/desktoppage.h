// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "platform/translatable.h"
#include "settings/desktopprefs.h"

class QCheckBox;
class QRadioButton;

namespace zw {

class CAutostart;
class IMessageSink;

// What the Desktop page works with; all of it outlives the page.
struct DesktopServices {
  DesktopPrefs& prefs;
  CDesktopPrefsFile& prefsFile;
  CAutostart& autostart;
  // The program the autostart entry starts.
  std::string program;
  bool trayAvailable = false;
  // After the choices are stored: the program takes them up.
  std::function<void()> applied;
};

// The "Desktop" page: how alarms reach the user, whether closing the clock leaves the
// program in the tray, whether it starts at login, and whether coming offset changes are
// marked on the clock. The choices are stored only when the
// sheet applies or confirms them.
class CDesktopPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CDesktopPage", "Desktop");
  static constexpr const char* kSaveFailed =
      ZW_TR_NOOP("Core", "The desktop settings could not be saved.");
  static constexpr const char* kAutostartFailed =
      ZW_TR_NOOP("Core", "The login start entry could not be changed.");

  CDesktopPage(DesktopServices services, IMessageSink& messages, QWidget* parent = nullptr);

  // Stores the choices, writes or removes the autostart entry, and reports what failed.
  void Store();

  QRadioButton* BoxButton() const { return m_box; }
  QRadioButton* NotificationButton() const { return m_notification; }
  QRadioButton* BothButton() const { return m_both; }
  QCheckBox* TrayBox() const { return m_tray; }
  QCheckBox* LoginBox() const { return m_login; }
  QCheckBox* MarkBox() const { return m_mark; }

 signals:
  void modified();

 private:
  void Build();
  void Show();
  AlertStyle ChosenStyle() const;

  DesktopServices m_s;
  IMessageSink& m_messages;
  QRadioButton* m_box = nullptr;
  QRadioButton* m_notification = nullptr;
  QRadioButton* m_both = nullptr;
  QCheckBox* m_tray = nullptr;
  QCheckBox* m_login = nullptr;
  QCheckBox* m_mark = nullptr;
};

}  // namespace zw
