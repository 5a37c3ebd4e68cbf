// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventactions.h"

#include <charconv>

#include "events/event.h"

namespace zw {

namespace {

constexpr std::string_view kSoundExtensions[] = {".WAV", ".OGG", ".OGA", ".FLAC", ".OPUS", ".MP3"};

bool Holds(std::string_view file, std::string_view upperExtension) {
  std::string upper(file);
  for (char& c : upper) {
    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return upper.find(upperExtension) != std::string::npos;
}

}  // namespace

bool IsSoundFileName(std::string_view file) {
  for (const std::string_view extension : kSoundExtensions) {
    if (Holds(file, extension)) {
      return true;
    }
  }
  return false;
}

bool IsMovieFileName(std::string_view file) {
  return Holds(file, ".AVI");
}

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
