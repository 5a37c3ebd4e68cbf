#include "events/eventactions.h"

#include <charconv>

#include "events/event.h"

namespace zw {

EventActions EventActions::From(const CEvent& alarm) {
  const AlarmRecord& r = alarm.Fields();
  EventActions a;
  a.showMessage = r.showMessage == 1;
  a.messageText = alarm.MessageText();
  a.notifyMissed = r.notifyMissed == 1;
  a.playMedia = r.playMedia == 1;
  a.mediaFile = alarm.MediaFile();
  a.timesText = std::to_string(r.playCount);
  a.runProgram = r.runProgram == 1;
  a.programCommand = alarm.ProgramCommand();
  a.startDirectory = alarm.StartDirectory();
  return a;
}

void EventActions::StoreInto(CEvent& alarm) const {
  AlarmRecord& r = alarm.Fields();
  r.showMessage = showMessage ? 1 : 0;
  CEvent::SetText(r.messageText, messageText);
  r.notifyMissed = notifyMissed ? 1 : 0;
  r.playMedia = playMedia ? 1 : 0;
  CEvent::SetText(r.mediaFile, mediaFile);
  int count = 0;
  std::from_chars(timesText.data(), timesText.data() + timesText.size(), count);
  r.playCount = count;
  r.runProgram = runProgram ? 1 : 0;
  CEvent::SetText(r.programCommand, programCommand);
  CEvent::SetText(r.startDirectory, startDirectory);
  const bool video =
      mediaFile.find("AVI") != std::string::npos || mediaFile.find("avi") != std::string::npos;
  r.mediaIsVideo = video ? 1 : 0;
}

}  // namespace zw
