#pragma once
// A signal from a file that is not a sample file: the kind from the file's
// name or as chosen, the part of the file (column, channel, variable) as
// chosen, and what was read, described for the window and the batch.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/io/FileChunkReader.h"
#include "import/ArrayAxis.h"
#include "import/GapFill.h"
#include "import/Samples.h"
#include "import/GridExtension.h"
#include "import/TextLayout.h"

namespace importer {

enum class SourceKind { Text, Audio, Mat, Npy };

// "text" or "csv", "audio", "mat", "npy"; nullopt for any other name.
std::optional<SourceKind> SourceKindNamed(const std::string& name);
// From the file name's extension (any case): .csv .tsv .txt .dat, .wav .flac
// .aiff .aif .ogg, .mat, .npy; nullopt for any other.
std::optional<SourceKind> SourceKindOfFile(const std::string& fileName);
// Whether a file is imported by its name alone: a kind above other than a
// .dat or .txt, which stay sample files.
bool ImportedByName(const std::string& fileName);

struct ImportChoices {
    // Absent: from the file's name.
    std::optional<SourceKind> kind;
    // Text: delimiter, decimal comma, lines to skip, the column (its header
    // name or number) and whether rows are read as one series. NumPy and
    // MATLAB matrices: the column's (or row's) number.
    TextChoices text;
    // A matrix: whether its columns or its rows are the signals; absent:
    // along its longer axis.
    std::optional<ArrayAxis> axis;
    // Empty fields and NaNs, in any kind of file.
    Gaps gaps = Gaps::Refuse;
    // Audio: "mean" or a channel number from 1; empty: the mean of all
    // channels (the one channel of a mono file).
    std::string channel;
    // MATLAB: the variable; empty: the first vector, else the first matrix.
    std::string variable;
    Extension extension = Extension::Reflect;
};

struct ImportedSignal {
    Samples samples;  // the n samples the file gave
    std::string fileName;
    // What of the file they are: column "mV" (2), channel 1, variable "x", ...
    std::string part;
    int32_t sampleRate = 0;  // samples a second; 0 when the file tells none
    // What the user must know of a signal that was read but is not all the
    // file's header promised, naming the file ("\"cut.wav\": its header
    // promises 1000 frames, 478 could be read; the signal is those 478");
    // empty when there is nothing to tell.
    std::string warning;
    // The gaps filled or dropped, as the choices said.
    int64_t gaps = 0;
    Gaps gapsResolved = Gaps::Refuse;

    // "ecg.csv, column "mV" (2), 1024 samples, 360 Hz", then ", 59 gaps
    // filled" when there were gaps.
    std::string Describe() const;
};

// Reads the signal the choices name; a text table tells progress after each
// chunk. Every sample is a finite number: an infinity is refused by its
// position, and so is a gap (an empty field, a NaN) unless the choices fill
// or drop the gaps. Throws ImportError, whose message names the file and says why,
// analysis::EFileUnreadable when the file cannot be opened or read, and
// fw::EAbort when progress cancels the read.
ImportedSignal ImportSignal(const std::string& fileName, const ImportChoices& choices,
                            const analysis::ReadProgress& progress = {});

// Every channel of an audio file, decoded once, each as ImportSignal gives
// it with the channel chosen; throws as ImportSignal does.
std::vector<ImportedSignal> ImportEveryChannel(const std::string& fileName, const ImportChoices& choices);

}  // namespace importer
