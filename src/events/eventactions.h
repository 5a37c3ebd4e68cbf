#pragma once

#include <string>

namespace zw {

class CEvent;

// What an event does when it comes due, as the event dialogs hold it while it is edited: the
// Event Actions dialog works on a copy and gives it back on OK.
struct EventActions {
  bool showMessage = false;
  std::string messageText;
  bool notifyMissed = true;
  bool playMedia = false;
  std::string mediaFile;
  std::string timesText = "10";  // the WAV play count, as typed
  bool runProgram = false;
  std::string programCommand;
  std::string startDirectory;

  bool Any() const { return showMessage || playMedia || runProgram; }

  static EventActions From(const CEvent& alarm);
  // Stores every action field, mediaIsVideo included, into the record.
  void StoreInto(CEvent& alarm) const;
};

}  // namespace zw
