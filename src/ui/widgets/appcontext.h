// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zw {

class CAlarmService;
class CClockSettings;
class CDialogPositions;
class CLocationDB;
class IFileLayer;
class IMessageSink;
class ISettingsStore;

// What the program's dialogs work on, handed to each of them alongside its parent and its own
// data. The program owns every piece and keeps it alive longer than any dialog; a dialog may
// keep a copy of the context.
struct AppContext {
  CLocationDB& db;
  CClockSettings& settings;
  ISettingsStore& store;
  IFileLayer& files;
  IMessageSink& messages;
  CAlarmService& alarms;
  // Where dialogs reopen during the run.
  CDialogPositions& positions;
};

}  // namespace zw
