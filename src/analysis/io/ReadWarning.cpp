#include "analysis/io/ReadWarning.h"

#include "framework/core/Conversions.h"

namespace analysis {
namespace {

std::string Numbers(int32_t count) { return fw::IntToStr(count) + (count == 1 ? " number" : " numbers"); }

std::string NotANumberAt(const ReadResult& result) {
    return "Line " + fw::IntToStr(result.line) + ": \"" + result.text + "\" is not a number or is out of range.";
}

}  // namespace

std::string DescribeFailedRead(const std::string& fileName, const ReadResult& result) {
    if (result.stored > 0) return {};
    const std::string file = QuotedName(fileName);
    switch (result.stop) {
    case ReadStop::CannotOpen: return CannotOpenText(fileName, result.error);
    case ReadStop::NotRegular: return NotRegularText(fileName);
    case ReadStop::ReadFailed: return CannotReadText(fileName, result.error);
    case ReadStop::FileEnded:
        return "The file " + file + " holds no samples: " + (result.bytes == 0 ? "it is empty" : "it holds no numbers");
    case ReadStop::NotANumber:
        return "The file " + file + " holds no samples: the text \"" + result.text + "\" at line " +
               fw::IntToStr(result.line) + " is not a number";
    case ReadStop::Complete:
    case ReadStop::Cancelled: break;
    }
    return {};
}

void ThrowIfReadFailed(const std::string& fileName, const ReadResult& result) {
    const std::string failure = DescribeFailedRead(fileName, result);
    if (failure.empty()) return;
    const bool unreadable = result.stop == ReadStop::CannotOpen || result.stop == ReadStop::NotRegular ||
                            result.stop == ReadStop::ReadFailed;
    if (unreadable) throw EFileUnreadable(failure);
    throw EFileError(failure);
}

std::string DescribeIncompleteRead(const std::string& fileName, const ReadResult& result, int32_t n) {
    if (result.stored == 0) return {};
    std::string why;
    switch (result.stop) {
    case ReadStop::Complete:
    case ReadStop::CannotOpen:
    case ReadStop::NotRegular:
    case ReadStop::Cancelled: return {};
    case ReadStop::ReadFailed: why = "Reading the file failed after " + Numbers(result.stored) + "."; break;
    case ReadStop::FileEnded: why = "The file ends after " + Numbers(result.stored) + "."; break;
    case ReadStop::NotANumber: why = NotANumberAt(result); break;
    }
    return QuotedName(fileName) + ": " + why + " " + fw::IntToStr(result.stored) + " of " + fw::IntToStr(n) +
           " samples were read; the remaining " + fw::IntToStr(n - result.stored) + " are 0.";
}

std::string DescribeUnreadRest(const std::string& fileName, const ReadResult& result) {
    if (result.stop != ReadStop::NotANumber || result.stored == 0) return {};
    return QuotedName(fileName) + ": " + NotANumberAt(result) + " The " + Numbers(result.stored) +
           " before it were read; the rest of the file was not.";
}

}  // namespace analysis
