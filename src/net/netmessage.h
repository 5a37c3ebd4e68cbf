// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zw {

// The messages of the update dialog, the FTP window and the time synchronisation, by
// their historical numbers (the user range starts at 0x400).
enum class NetMessage : int {
  kControl = 0x400 + 5,        // control socket -> FTP window
  kData = 0x400 + 6,           // data socket -> FTP window
  kListen = 0x400 + 7,         // listening socket -> FTP window
  kNextFile = 0x400 + 8,       // FTP window -> itself
  kStatus = 0x400 + 9,         // FTP window -> dialog: a progress line, kind in the parameter
  kAddRemote = 0x400 + 10,     // dialog -> FTP window: a remote file name
  kAddLocal = 0x400 + 11,      // dialog -> FTP window: its local temporary file
  kAddLabel = 0x400 + 12,      // dialog -> FTP window: its name in progress lines
  kConnect = 0x400 + 13,       // dialog -> FTP window: the directory text
  kClear = 0x400 + 14,         // dialog -> FTP window: forget the queued files
  kDone = 0x400 + 16,          // FTP window -> dialog: 1 success, 0 failure
  kLoggedOn = 0x400 + 17,      // FTP window -> dialog
  kTimeSyncText = 0x400 + 18,  // time synchronisation worker -> its dialog: a report
  kReady = 0x400 + 19,         // FTP window -> dialog: it exists and takes messages
};

// What a kStatus line does to the dialog's progress list.
enum FtpStatusKind : int {
  kStatusAdd = 0,
  kStatusReplaceLast = 1,
  kStatusError = 2,
};

}  // namespace zw
