#include "recipe/ReplayOutputs.h"

#include <cerrno>
#include <cstring>
#include <set>

#include <sys/stat.h>

#include "analysis/io/FileError.h"
#include "framework/core/FileReplacement.h"
#include "framework/core/SameFile.h"

namespace recipe {

std::vector<std::string> OutputTargets(const recipe::Recipe& r, const std::filesystem::path& folder,
                                       const std::string& input, bool overwrite) {
    std::vector<std::string> targets;
    std::set<std::string> taken;
    for (const recipe::Output& output : r.outputs) {
        if (output.kind == recipe::OutputKind::Buffer || output.file == "-") {
            targets.push_back(output.kind == recipe::OutputKind::Buffer ? "" : "-");
            continue;
        }
        const std::filesystem::path name = std::filesystem::path(output.file).filename();
        if (name.empty() || name == "." || name == "..") {
            throw fw::Exception("the output " + analysis::QuotedName(output.file) + " names no file");
        }
        const std::string target = (folder / name).string();
        if (!taken.insert(target).second)
            throw fw::Exception("two outputs would both be written to " + analysis::QuotedName(target));
        if (fw::SameFile(target, input)) {
            throw fw::Exception("the output " + analysis::QuotedName(target) + " is the input " +
                                analysis::QuotedName(input) + ", which it would replace");
        }
        struct stat status {};
        if (::lstat(target.c_str(), &status) == 0) {
            if (!S_ISREG(status.st_mode)) {
                throw fw::Exception("the output " + analysis::QuotedName(target) +
                                    " is no regular file; a replay writes only files");
            }
            if (!overwrite)
                throw fw::Exception("the output " + analysis::QuotedName(target) + " exists; --overwrite replaces it");
        }
        targets.push_back(target);
    }
    return targets;
}

void WriteOutputs(const std::vector<std::string>& targets, const std::vector<std::string>& contents, int outputFd) {
    fw::FileReplacements files;
    const std::string* standardOutput = nullptr;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::string& target = targets[i];
        if (target.empty()) continue;
        if (target == "-") {
            standardOutput = &contents[i];
            continue;
        }
        files.Prepare(target, [&](int fd) {
            if (!fw::WriteAll(fd, contents[i].data(), contents[i].size())) {
                throw fw::SaveError(target, std::strerror(errno));
            }
        });
    }
    files.Commit();
    if (standardOutput && !fw::WriteAll(outputFd, standardOutput->data(), standardOutput->size())) {
        throw fw::SaveError("standard output", std::strerror(errno));
    }
}

}  // namespace recipe
