#include "analysis/session/ChangeStore.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/LargeBlock.h"

namespace analysis {
namespace {

constexpr std::size_t kChangeBytes = sizeof(uint32_t) + sizeof(double);

[[noreturn]] void FileFailed() {
    throw fw::Exception(std::string("The undo history could not use its temporary file: ") + std::strerror(errno));
}

}  // namespace

void ChangeBlockFree::operator()(void* block) const noexcept { fw::FreeBlock(block, bytes); }

ChangeStore::ChangeStore() = default;
ChangeStore::~ChangeStore() = default;

template <typename T>
ChangeStore::Block<T> ChangeStore::AllocateArray(std::size_t count) {
    const std::size_t bytes = std::max<std::size_t>(count, 1) * sizeof(T);
    return Block<T>(static_cast<T*>(fw::AllocateBlock(bytes)), ChangeBlockFree{bytes});
}

void ChangeStore::Clear(std::size_t memoryBudget) {
    memoryBudget_ = memoryBudget;
    memoryTop_ = 0;
    fileEnd_ = 0;
    filePositions_.clear();
    fileValues_.clear();
    // The block stays for a budget of the same size: the next decomposition
    // of the same signal reuses its pages.
    if (memoryBudget / kChangeBytes != memoryCapacity_) {
        memoryPositions_.reset();
        memoryValues_.reset();
        memoryCapacity_ = 0;
    }
}

ChangeStore::Extent ChangeStore::Begin() {
    if (memoryCapacity_ == 0 && memoryBudget_ >= kChangeBytes) {
        memoryPositions_ = AllocateArray<uint32_t>(memoryBudget_ / kChangeBytes);
        memoryValues_ = AllocateArray<double>(memoryBudget_ / kChangeBytes);
        memoryCapacity_ = memoryBudget_ / kChangeBytes;
    }
    Extent extent;
    extent.memoryFirst = memoryTop_;
    extent.fileOffset = fileEnd_;
    return extent;
}

void ChangeStore::Append(Extent& extent, std::span<const uint32_t> positions, std::span<const double> values) {
    const std::size_t toMemory = std::min(positions.size(), memoryCapacity_ - memoryTop_);
    if (toMemory > 0) {
        std::copy_n(positions.data(), toMemory, memoryPositions_.get() + memoryTop_);
        std::copy_n(values.data(), toMemory, memoryValues_.get() + memoryTop_);
        memoryTop_ += toMemory;
        extent.memoryCount += toMemory;
    }
    if (toMemory == 0 && positions.size() == kChunk && filePositions_.empty()) {
        // Past the memory's room a full chunk goes to the file as it is.
        Spill(positions, values);
        extent.fileCount += kChunk;
        return;
    }
    for (std::size_t k = toMemory; k < positions.size();) {
        const std::size_t take = std::min(positions.size() - k, kChunk - filePositions_.size());
        filePositions_.insert(filePositions_.end(), positions.begin() + static_cast<std::ptrdiff_t>(k),
                              positions.begin() + static_cast<std::ptrdiff_t>(k + take));
        fileValues_.insert(fileValues_.end(), values.begin() + static_cast<std::ptrdiff_t>(k),
                           values.begin() + static_cast<std::ptrdiff_t>(k + take));
        k += take;
        if (filePositions_.size() == kChunk) WriteWaiting(extent);
    }
}

void ChangeStore::WriteWaiting(Extent& extent) {
    Spill(filePositions_, fileValues_);
    extent.fileCount += filePositions_.size();
    filePositions_.clear();
    fileValues_.clear();
}

void ChangeStore::Finish(Extent& extent) {
    if (!filePositions_.empty()) WriteWaiting(extent);
}

void ChangeStore::DropFrom(const Extent& extent) {
    memoryTop_ = extent.memoryFirst;
    fileEnd_ = extent.fileOffset;
    filePositions_.clear();
    fileValues_.clear();
}

int64_t ChangeStore::Spill(std::span<const uint32_t> positions, std::span<const double> values) {
    if (!file_) {
        file_.reset(std::tmpfile());
        if (!file_) FileFailed();
    }
    const int64_t offset = fileEnd_;
    if (fseeko(file_.get(), offset, SEEK_SET) != 0 ||
        std::fwrite(positions.data(), sizeof(uint32_t), positions.size(), file_.get()) != positions.size() ||
        std::fwrite(values.data(), sizeof(double), values.size(), file_.get()) != values.size()) {
        FileFailed();
    }
    fileEnd_ += static_cast<int64_t>(positions.size() * kChangeBytes);
    return offset;
}

void ChangeStore::Restore(double* buffer, const Extent& extent, std::vector<uint32_t>* restored) {
    if (extent.fileCount > 0) {
        // Chunk by chunk, so that an undo takes no more memory than a chunk.
        filePositions_.resize(kChunk);
        fileValues_.resize(kChunk);
        if (fseeko(file_.get(), extent.fileOffset, SEEK_SET) != 0) FileFailed();
        for (std::size_t from = 0; from < extent.fileCount; from += kChunk) {
            const std::size_t count = std::min(kChunk, extent.fileCount - from);
            if (std::fread(filePositions_.data(), sizeof(uint32_t), count, file_.get()) != count ||
                std::fread(fileValues_.data(), sizeof(double), count, file_.get()) != count) {
                FileFailed();
            }
            for (std::size_t k = 0; k < count; ++k) buffer[filePositions_[k]] = fileValues_[k];
            if (restored) {
                restored->insert(restored->end(), filePositions_.begin(),
                                 filePositions_.begin() + static_cast<std::ptrdiff_t>(count));
            }
        }
        filePositions_.clear();
        fileValues_.clear();
    }
    for (std::size_t k = extent.memoryFirst; k < extent.memoryFirst + extent.memoryCount; ++k)
        buffer[memoryPositions_[k]] = memoryValues_[k];
}

}  // namespace analysis
