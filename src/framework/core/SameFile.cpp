#include "framework/core/SameFile.h"

#include <sys/stat.h>

#include <filesystem>

namespace fw {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    std::error_code error;
    const std::filesystem::path resolvedA = std::filesystem::weakly_canonical(a, error);
    if (error) return false;
    const std::filesystem::path resolvedB = std::filesystem::weakly_canonical(b, error);
    return !error && resolvedA == resolvedB;
}

}  // namespace fw
