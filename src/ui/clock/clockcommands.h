#pragma once

namespace zw {

// Command numbers of the popup menu, the toolbar and the accelerators.
enum ClockCommand : int {
  kCmdAddChange = 32773,
  kCmdProperties = 32775,
  kCmdCompareTimes = 32776,
  kCmdSetEvents = 32777,
  kCmdBrowseSchedule = 32778,
  kCmdShowTitlebar = 32783,
  kCmdKeepOnTop = 32784,
  kCmdUpdateDatabase = 32785,
  kCmdCurrency = 32786,
  kCmdMeasurement = 32787,
  kCmdExit = 32788,
  kCmdShowToolbar = 32789,
  kCmdMinimize = 32790,
  kCmdSynchronizeTime = 32792,
  kCmdRemoveFirst = 33000,  // + index in the clock list
  kCmdRemoveLast = 33014,
  kCmdPopupMenu = 34009,
  kCmdAbout = 57664,
  kCmdHelpTopics = 57667,
};

// The program's private messages, by their historical numbers (the user range starts at 0x400).
enum ClockMessage : int {
  kMsgTick = 0x400 + 2,
  kMsgAlarm = 0x400 + 3,
  kMsgSplashStep = 0x400 + 4,
};

}  // namespace zw
