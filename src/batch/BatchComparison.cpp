#include "batch/BatchComparison.h"

#include <nlohmann/json.hpp>

#include "analysis/denoise/DenoiseNames.h"
#include "framework/core/Conversions.h"
#include "framework/core/ShortestText.h"
#include "batch/ResultTable.h"

namespace batch {
namespace {

std::string WienerName(const analysis::DenoiseOptions& s) {
    return s.wiener ? std::string(analysis::WaveletName(*s.wiener)) : std::string();
}

}  // namespace

std::string ComparisonCsv(const std::vector<ComparisonRow>& rows) {
    std::string text =
        "input,part,n,J,levels,wavelet,rule,shrink,shifts,wiener,sigma,residual_rms,zeroed_share,input_sha256,"
        "output_sha256\n";
    for (const ComparisonRow& r : rows) {
        const analysis::DenoiseOptions& s = r.settings;
        text += CsvField(r.input) + "," + CsvField(r.part) + "," + fw::IntToStr(r.n) + "," + fw::IntToStr(r.j) + "," +
                fw::IntToStr(s.levels) + "," + std::string(analysis::WaveletName(s.wavelet)) + "," +
                std::string(analysis::RuleName(s.rule)) + "," + std::string(analysis::ShrinkName(s.shrink)) + "," +
                fw::IntToStr(s.shifts) + "," + WienerName(s) + "," + fw::ShortestText(r.sigma) + "," +
                fw::ShortestText(r.residualRms) + "," + fw::ShortestText(r.zeroedShare) + "," + r.inputSha256 + "," +
                r.outputSha256 + "\n";
    }
    return text;
}

std::string ComparisonJson(const std::vector<ComparisonRow>& rows) {
    using Json = nlohmann::ordered_json;
    Json list = Json::array();
    for (const ComparisonRow& r : rows) {
        const analysis::DenoiseOptions& s = r.settings;
        list.push_back({{"input", r.input},
                        {"part", r.part},
                        {"n", r.n},
                        {"J", r.j},
                        {"configuration",
                         {{"wavelet", analysis::WaveletName(s.wavelet)},
                          {"rule", analysis::RuleName(s.rule)},
                          {"shrink", analysis::ShrinkName(s.shrink)},
                          {"shifts", s.shifts},
                          {"wiener", s.wiener ? Json(analysis::WaveletName(*s.wiener)) : Json(nullptr)},
                          {"levels", s.levels}}},
                        {"sigma", r.sigma},
                        {"residual_rms", r.residualRms},
                        {"zeroed_share", r.zeroedShare},
                        {"input_sha256", r.inputSha256},
                        {"output_sha256", r.outputSha256}});
    }
    // A file name need not be UTF-8; what is not is replaced, not refused.
    return Json{{"rows", list}}.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace batch
