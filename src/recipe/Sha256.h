#pragma once
// SHA-256 of buffers and files, as lower-case hexadecimal text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace recipe {

// A digest fed piece by piece, for what does not sit in memory at once.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, std::size_t size);
    // The 64 hexadecimal digits; the digest is finished and takes no more.
    std::string Hex();

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

std::string Sha256Hex(const void* data, std::size_t size);
inline std::string Sha256Hex(std::string_view bytes) { return Sha256Hex(bytes.data(), bytes.size()); }

struct FileDigest {
    uint64_t size = 0;
    std::string sha256;
};

// Throws analysis::EFileError naming the file when it cannot be read.
FileDigest DigestFile(const std::string& fileName);

// 64 lower-case hexadecimal digits.
bool IsSha256Hex(std::string_view text);

}  // namespace recipe
