#include "analysis/ReadWarning.h"

#include "framework/core/Conversions.h"

namespace analysis {
namespace {

std::string Numbers(int32_t count)
{
    return fw::IntToStr(count) + (count == 1 ? " number" : " numbers");
}

}  // namespace

std::string DescribeIncompleteRead(const std::string& fileName, const ReadResult& result, int32_t n)
{
    std::string why;
    switch (result.stop) {
    case ReadStop::Complete:
        return {};
    case ReadStop::CannotOpen:
        why = "The file could not be opened.";
        break;
    case ReadStop::NotRegular:
        why = "The file is not a regular file.";
        break;
    case ReadStop::ReadFailed:
        why = "Reading the file failed after " + Numbers(result.stored) + ".";
        break;
    case ReadStop::FileEnded:
        why = "The file ends after " + Numbers(result.stored) + ".";
        break;
    case ReadStop::NotANumber:
        why = "Line " + fw::IntToStr(result.line) + ": \"" + result.text +
              "\" is not a number or is out of range.";
        break;
    }
    const std::string missing = result.stored == 0 ? "all samples are 0"
                                                   : "the remaining " + fw::IntToStr(n - result.stored) + " are 0";
    return "\"" + fileName + "\": " + why + " " + fw::IntToStr(result.stored) + " of " + fw::IntToStr(n) +
           " samples were read; " + missing + ".";
}

}  // namespace analysis
