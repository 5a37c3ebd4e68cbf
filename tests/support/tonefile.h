// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

namespace zw::test {

// Writes a twentieth of a second of tone in `format` (libsndfile's SF_FORMAT_* flags), so
// sound tests need no recorded files. False when the library cannot write that format.
inline bool WriteTone(const std::string& path, int format, int channels = 1, int rate = 8000) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    return false;
  }
  std::vector<float> samples(static_cast<std::size_t>(rate / 20 * channels));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = 0.25f * std::sin(static_cast<float>(i) * 0.3f);
  }
  const sf_count_t written =
      sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()) / channels);
  sf_close(file);
  return written > 0;
}

// The compressed formats the player must take besides WAV, by file extension.
struct ToneFormat {
  const char* extension;
  int format;
};
inline constexpr ToneFormat kCompressedFormats[] = {
    {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    {"opus", SF_FORMAT_OGG | SF_FORMAT_OPUS},
    {"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
};

}  // namespace zw::test
