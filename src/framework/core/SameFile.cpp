#include "framework/core/SameFile.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

namespace fw {
namespace {

std::optional<std::pair<unsigned long, unsigned long>> InodeOf(const std::string& name) {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) return std::nullopt;
    return std::pair<unsigned long, unsigned long>(status.st_dev, status.st_ino);
}

std::optional<std::string> ResolvedPath(const std::string& name) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(name, error);
    if (error) return std::nullopt;
    return resolved.string();
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    FileNames names;
    names.Add(a);
    return names.Find(b) != nullptr;
}

// Two names that both exist are one file only by their inode; where one of
// them does not, their resolved paths decide. An existing name's path can
// only match a name that exists too, so paths are kept and resolved only
// for names that do not exist.
void FileNames::Add(const std::string& name) {
    if (const auto inode = InodeOf(name)) {
        byInode_.emplace(*inode, name);
    } else if (const auto path = ResolvedPath(name)) {
        byPath_.emplace(*path, name);
    }
}

const std::string* FileNames::Find(const std::string& name) const {
    if (const auto inode = InodeOf(name)) {
        if (const auto at = byInode_.find(*inode); at != byInode_.end()) return &at->second;
    }
    if (byPath_.empty()) return nullptr;
    const auto path = ResolvedPath(name);
    if (!path) return nullptr;
    const auto at = byPath_.find(*path);
    return at == byPath_.end() ? nullptr : &at->second;
}

}  // namespace fw
