// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/wavplayer.h"

#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace zw {

namespace {

constexpr sf_count_t kChunkFrames = 4096;
constexpr unsigned kLatencyMicroseconds = 200000;

struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

struct PcmCloser {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using Pcm = std::unique_ptr<snd_pcm_t, PcmCloser>;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsa() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(&IgnoreAlsaError); });
}

// The device converts rate and channel layout itself ("soft resample"), so any decodable
// file plays, whatever the card supports.
Pcm OpenDevice(const SF_INFO& info) {
  snd_pcm_t* raw = nullptr;
  if (snd_pcm_open(&raw, CWavPlayer::DeviceName().c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) {
    return nullptr;
  }
  Pcm pcm(raw);
  if (snd_pcm_set_params(pcm.get(), SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(info.channels),
                         static_cast<unsigned>(info.samplerate), 1, kLatencyMicroseconds) < 0) {
    return nullptr;
  }
  return pcm;
}

bool WriteFrames(snd_pcm_t* pcm, const short* samples, sf_count_t frames, int channels) {
  while (frames > 0) {
    const snd_pcm_sframes_t written =
        snd_pcm_writei(pcm, samples, static_cast<snd_pcm_uframes_t>(frames));
    if (written == -EAGAIN) {
      continue;
    }
    if (written < 0) {
      // An underrun or a suspended device; anything else ends the playing.
      if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) {
        return false;
      }
      continue;
    }
    samples += written * channels;
    frames -= written;
  }
  return true;
}

}  // namespace

std::string CWavPlayer::DeviceName() {
  const char* name = std::getenv(kDeviceVariable);
  return name != nullptr && *name != '\0' ? name : kDefaultDevice;
}

bool CWavPlayer::CanDecode(const std::string& file) {
  SF_INFO info{};
  const SoundFile sound(sf_open(file.c_str(), SFM_READ, &info));
  return sound && info.channels > 0 && info.samplerate > 0;
}

bool CWavPlayer::PlayOnce(const std::string& file, const std::atomic<bool>* stop) {
  SilenceAlsa();
  SF_INFO info{};
  SoundFile sound(sf_open(file.c_str(), SFM_READ, &info));
  if (!sound || info.channels <= 0 || info.samplerate <= 0) {
    return false;
  }
  Pcm pcm = OpenDevice(info);
  if (!pcm) {
    return false;
  }
  std::vector<short> buffer(static_cast<std::size_t>(kChunkFrames * info.channels));
  for (;;) {
    const sf_count_t frames = sf_readf_short(sound.get(), buffer.data(), kChunkFrames);
    if (frames <= 0) {
      break;
    }
    if (stop != nullptr && stop->load()) {
      snd_pcm_drop(pcm.get());
      return true;
    }
    if (!WriteFrames(pcm.get(), buffer.data(), frames, info.channels)) {
      return false;
    }
  }
  // Returns once the device has played out what it holds, so a sound is never cut short.
  snd_pcm_drain(pcm.get());
  return true;
}

}  // namespace zw
