#include "recipe/Sha256.h"

#include <openssl/evp.h>

#include <cerrno>
#include <vector>

#include <fcntl.h>

#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"

namespace recipe {

struct Sha256::Context {
    struct Free {
        void operator()(EVP_MD_CTX* context) const noexcept { EVP_MD_CTX_free(context); }
    };
    std::unique_ptr<EVP_MD_CTX, Free> evp{EVP_MD_CTX_new()};
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
    if (!context_->evp || EVP_DigestInit_ex(context_->evp.get(), EVP_sha256(), nullptr) != 1) throw std::bad_alloc();
}

Sha256::~Sha256() = default;

void Sha256::Update(const void* data, std::size_t size) {
    if (EVP_DigestUpdate(context_->evp.get(), data, size) != 1) throw fw::Exception("SHA-256 failed");
}

std::string Sha256::Hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context_->evp.get(), digest, &length) != 1) throw fw::Exception("SHA-256 failed");
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 15];
    }
    return text;
}

std::string Sha256Hex(const void* data, std::size_t size) {
    Sha256 digest;
    digest.Update(data, size);
    return digest.Hex();
}

FileDigest DigestFile(const std::string& fileName) {
    const analysis::FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) throw analysis::EFileUnreadable(analysis::CannotOpenText(fileName, errno));
    Sha256 digest;
    FileDigest result;
    std::vector<char> block(1 << 20);
    // From the position on, so that a pipe is hashed as it streams.
    for (analysis::ReadCount got{block.size(), 0}; got.bytes == block.size();) {
        got = analysis::ReadFully(file.Get(), block.data(), block.size());
        if (got.error != 0) throw analysis::EFileUnreadable(analysis::CannotReadText(fileName, got.error));
        digest.Update(block.data(), got.bytes);
        result.size += got.bytes;
    }
    result.sha256 = digest.Hex();
    return result;
}

bool IsSha256Hex(std::string_view text) {
    if (text.size() != 64) return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

}  // namespace recipe
