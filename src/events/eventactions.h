// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zw {

class CEvent;

// Whether a media file is played as a sound: its name holds one of the extensions of the
// formats the sound library reads (WAV, Ogg Vorbis, FLAC, Opus, MP3), in any case.
bool IsSoundFileName(std::string_view file);
// Whether it is opened as a movie: its name holds ".AVI" in any case.
bool IsMovieFileName(std::string_view file);

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
