#pragma once
// Whether two names stand for one file, so that an output never replaces an
// input: the same device and inode when both exist, else the same path once
// ".", ".." and symbolic links are resolved.

#include <string>

namespace fw {

bool SameFile(const std::string& a, const std::string& b);

}  // namespace fw
