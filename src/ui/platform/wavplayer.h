// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <string>

namespace zw {

// Plays a sound file through ALSA. ALSA rather than a sound server's own interface because it
// needs no server: on a desktop its "default" device is routed to PulseAudio or PipeWire
// anyway, on a bare system it is the card, and tests can aim it at the silent "null" device.
class CWavPlayer {
 public:
  // Names the ALSA device to play on, instead of "default".
  static constexpr const char* kDeviceVariable = "ZONEWRIGHT_SOUND_DEVICE";
  static constexpr const char* kDefaultDevice = "default";

  // Plays the whole file once and returns when it has been heard to its end. False when the
  // file cannot be decoded or no device takes it; an alarm goes on without its sound then, so
  // nothing is reported and ALSA's own complaints are kept off the terminal.
  // With a stop flag, the playing is cut short within a fraction of a second of its being set.
  static bool PlayOnce(const std::string& file, const std::atomic<bool>* stop = nullptr);
  // Whether the file is a sound the player decodes (every format libsndfile reads: WAV,
  // Ogg Vorbis, Opus, FLAC, MP3 and more).
  static bool CanDecode(const std::string& file);

  static std::string DeviceName();
};

}  // namespace zw
