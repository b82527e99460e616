#include "import/AudioImport.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/FileDescriptor.h"
#include "import/ImportError.h"
#include "import/SourceFile.h"

namespace importer {
namespace {

struct CloseSound {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, CloseSound>;

// The library reads through a descriptor opened as every import opens its
// file (a regular file only); the caller keeps it open until the sound file
// is closed.
SoundFile OpenSound(int fd, SF_INFO& info) {
    info = SF_INFO{};
    SoundFile file(sf_open_fd(fd, SFM_READ, &info, SF_FALSE));
    if (!file) throw ImportFailure(std::string("it is not an audio file the decoder reads: ") + sf_strerror(nullptr));
    return file;
}

// The bytes of one sample of each channel in a WAV file's data, for the
// encodings whose size is fixed; 0 for the others.
int32_t SampleBytes(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW: return 1;
    case SF_FORMAT_PCM_16: return 2;
    case SF_FORMAT_PCM_24: return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT: return 4;
    case SF_FORMAT_DOUBLE: return 8;
    default: return 0;
    }
}

// The first of the file's chunks of the id, as its header lists them; null
// when there is none.
SF_CHUNK_ITERATOR* FindChunk(SNDFILE* file, const char* id) {
    SF_CHUNK_INFO wanted{};
    std::snprintf(wanted.id, sizeof wanted.id, "%s", id);
    wanted.id_size = 4;
    return sf_get_chunk_iterator(file, &wanted);
}

// The frames the file's header promises. The library counts only the frames
// the data it finds can hold, so a file cut short reads as a shorter whole;
// the header's own count (a WAV file's data size, an AIFF file's frame count)
// tells that it is not.
int64_t PromisedFrames(SNDFILE* file, const SF_INFO& info) {
    const int major = info.format & SF_FORMAT_TYPEMASK;
    int64_t promised = 0;
    if (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX) {
        SF_CHUNK_ITERATOR* data = FindChunk(file, "data");
        SF_CHUNK_INFO size{};
        const int64_t frameBytes = int64_t{SampleBytes(info.format)} * info.channels;
        // A size of 0 or all ones is a streaming writer's "not known".
        if (data != nullptr && sf_get_chunk_size(data, &size) == SF_ERR_NO_ERROR && frameBytes > 0 &&
            size.datalen != 0 && size.datalen != UINT32_MAX) {
            promised = size.datalen / frameBytes;
        }
    } else if (major == SF_FORMAT_AIFF) {
        // The channels, then the frames as a big-endian count.
        unsigned char comm[6] = {};
        SF_CHUNK_INFO chunk{};
        chunk.datalen = sizeof comm;
        chunk.data = comm;
        SF_CHUNK_ITERATOR* common = FindChunk(file, "COMM");
        if (common != nullptr && sf_get_chunk_data(common, &chunk) == SF_ERR_NO_ERROR && chunk.datalen >= 6) {
            promised = int64_t{comm[2]} << 24 | int64_t{comm[3]} << 16 | int64_t{comm[4]} << 8 | comm[5];
        }
    }
    return std::max<int64_t>(promised, info.frames);
}

AudioInfo InfoOf(SNDFILE* file, const SF_INFO& info) {
    return AudioInfo{info.channels, info.samplerate, PromisedFrames(file, info)};
}

// The frame's value: the channel's, or the mean of all.
double FrameValue(const double* frame, int32_t channels, int32_t channel) {
    if (channel > 0) return frame[channel - 1];
    double value = 0.0;
    for (int32_t c = 0; c < channels; ++c) value += frame[c];
    return value / channels;
}

}  // namespace

AudioInfo ReadAudioInfo(const std::string& fileName) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor fd(OpenSourceFile(fileName, fileBytes));
    SF_INFO info{};
    const SoundFile file = OpenSound(fd.Get(), info);
    return InfoOf(file.get(), info);
}

namespace {

// The selected channels' samples (each a channel from 1, or 0 for the mean),
// decoded in one pass; every channel when `selected` is empty.
std::vector<Samples> Decode(const std::string& fileName, std::vector<int32_t> selected, AudioInfo* infoOut) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor fd(OpenSourceFile(fileName, fileBytes));
    SF_INFO info{};
    const SoundFile file = OpenSound(fd.Get(), info);
    const AudioInfo told = InfoOf(file.get(), info);
    if (infoOut) *infoOut = told;
    const int32_t channels = info.channels;
    if (selected.empty()) {
        for (int32_t channel = 1; channel <= channels; ++channel) selected.push_back(channel);
    }
    for (const int32_t channel : selected) {
        if (channel > channels) {
            throw ImportFailure("there is no channel " + std::to_string(channel) + ": the file has " +
                                std::to_string(channels) + (channels == 1 ? " channel" : " channels"));
        }
    }
    if (told.frames <= 0) throw ImportFailure("the file holds no samples");
    // What the data the library found can hold; no more is asked for.
    if (info.frames > analysis::kMaxSamples) {
        throw ImportFailure("the file holds " + std::to_string(info.frames) + " frames, more than the " +
                            std::to_string(analysis::kMaxSamples) + " samples a signal may have");
    }
    return fw::MapOutOfMemory([&] {
        const auto frames = static_cast<std::size_t>(std::max<sf_count_t>(info.frames, 0));
        std::vector<Samples> values(selected.size(), Samples(frames));
        std::size_t done = 0;
        if (channels == 1 && selected.size() == 1) {
            done = static_cast<std::size_t>(
                std::max<sf_count_t>(sf_readf_double(file.get(), values[0].data(), info.frames), 0));
        } else {
            // Interleaved frames, a block at a time, up to where the decoder stops.
            constexpr sf_count_t kBlockFrames = 4096;
            std::vector<double> block(static_cast<std::size_t>(kBlockFrames * channels));
            while (done < frames) {
                const sf_count_t want = std::min<sf_count_t>(kBlockFrames, static_cast<sf_count_t>(frames - done));
                const sf_count_t got = sf_readf_double(file.get(), block.data(), want);
                for (std::size_t s = 0; s < selected.size(); ++s) {
                    for (sf_count_t f = 0; f < got; ++f) {
                        values[s][done + static_cast<std::size_t>(f)] =
                            FrameValue(block.data() + f * channels, channels, selected[s]);
                    }
                }
                done += static_cast<std::size_t>(std::max<sf_count_t>(got, 0));
                if (got < want) break;
            }
        }
        // Fewer frames than promised are the signal; the caller tells so.
        if (done == 0) {
            throw ImportFailure("its header promises " + std::to_string(told.frames) +
                                " frames, none could be read: " + sf_strerror(file.get()));
        }
        for (Samples& channel : values) channel.resize(done);
        return values;
    });
}

}  // namespace

Samples ReadAudio(const std::string& fileName, int32_t channel, AudioInfo* info) {
    return std::move(Decode(fileName, {channel}, info).front());
}

std::vector<Samples> ReadAudioChannels(const std::string& fileName, AudioInfo* info) {
    return Decode(fileName, {}, info);
}

}  // namespace importer
