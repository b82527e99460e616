#pragma once
// One channel of an audio file (WAV, FLAC, AIFF, OGG and whatever else
// libsndfile reads), or the mean of all channels, as the library decodes it:
// integer formats scaled to -1 ... 1.

#include <cstdint>
#include <string>
#include <vector>

#include "import/Samples.h"

namespace importer {

struct AudioInfo {
    int32_t channels = 0;
    int32_t sampleRate = 0;
    int64_t frames = 0;  // as the header promises them; a file cut short holds fewer
};

// What the file's header tells. Throws analysis::EFileUnreadable when the
// file cannot be opened, ImportFailure when it is no audio file the library
// reads.
AudioInfo ReadAudioInfo(const std::string& fileName);

// The channel's samples; channel from 1, or 0 for the mean of all channels.
// A file cut short, or one the decoder stops in, gives the frames that could
// be read: fewer than info->frames. Throws ImportFailure: the file cannot be
// decoded, the channel is not in it, it holds no frames, none could be read
// or more than a signal may have; analysis::EFileUnreadable when it cannot be
// opened.
Samples ReadAudio(const std::string& fileName, int32_t channel, AudioInfo* info = nullptr);

// Every channel's samples, as ReadAudio gives each, from one decoding.
std::vector<Samples> ReadAudioChannels(const std::string& fileName, AudioInfo* info = nullptr);

}  // namespace importer
