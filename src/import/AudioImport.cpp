#include "import/AudioImport.h"

#include <sndfile.h>

#include <algorithm>
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

AudioInfo InfoOf(const SF_INFO& info) {
    return AudioInfo{info.channels, info.samplerate, static_cast<int64_t>(info.frames)};
}

}  // namespace

AudioInfo ReadAudioInfo(const std::string& fileName) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor fd(OpenSourceFile(fileName, fileBytes));
    SF_INFO info{};
    const SoundFile file = OpenSound(fd.Get(), info);
    return InfoOf(info);
}

Samples ReadAudio(const std::string& fileName, int32_t channel, AudioInfo* infoOut) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor fd(OpenSourceFile(fileName, fileBytes));
    SF_INFO info{};
    const SoundFile file = OpenSound(fd.Get(), info);
    if (infoOut) *infoOut = InfoOf(info);
    const int32_t channels = info.channels;
    if (channel > channels) {
        throw ImportFailure("there is no channel " + std::to_string(channel) + ": the file has " +
                            std::to_string(channels) + (channels == 1 ? " channel" : " channels"));
    }
    if (info.frames <= 0) throw ImportFailure("the file holds no samples");
    if (info.frames > analysis::kMaxSamples) {
        throw ImportFailure("the file holds " + std::to_string(info.frames) + " frames, more than the " +
                            std::to_string(analysis::kMaxSamples) + " samples a signal may have");
    }
    return fw::MapOutOfMemory([&] {
        const auto frames = static_cast<std::size_t>(info.frames);
        Samples values(frames);
        if (channels == 1) {
            const sf_count_t got = sf_readf_double(file.get(), values.data(), info.frames);
            if (got < info.frames) {
                throw ImportFailure("the decoder stopped after " + std::to_string(got) + " of " +
                                    std::to_string(info.frames) + " frames: " + sf_strerror(file.get()));
            }
            return values;
        }
        // Interleaved frames, a block at a time.
        constexpr sf_count_t kBlockFrames = 4096;
        std::vector<double> block(static_cast<std::size_t>(kBlockFrames * channels));
        std::size_t done = 0;
        while (done < frames) {
            const sf_count_t want = std::min<sf_count_t>(kBlockFrames, static_cast<sf_count_t>(frames - done));
            const sf_count_t got = sf_readf_double(file.get(), block.data(), want);
            if (got <= 0) {
                throw ImportFailure("the decoder stopped after " + std::to_string(done) + " of " +
                                    std::to_string(frames) + " frames: " + sf_strerror(file.get()));
            }
            for (sf_count_t f = 0; f < got; ++f) {
                const double* frame = block.data() + f * channels;
                double value = 0.0;
                if (channel > 0) {
                    value = frame[channel - 1];
                } else {
                    for (int32_t c = 0; c < channels; ++c) value += frame[c];
                    value /= channels;
                }
                values[done + static_cast<std::size_t>(f)] = value;
            }
            done += static_cast<std::size_t>(got);
        }
        return values;
    });
}

}  // namespace importer
