#include "batch/BatchReport.h"

#include <algorithm>
#include <iterator>

#include <nlohmann/json.hpp>

#include "analysis/denoise/DenoiseNames.h"
#include "framework/core/Conversions.h"
#include "framework/core/ShortestText.h"

namespace batch {

void BatchReport::Add(const std::string& input, const analysis::DenoiseOptions& settings,
                      const std::vector<analysis::LevelReport>& levels, std::vector<WrittenFile> files) {
    inputs_.push_back({input, settings, levels, std::move(files)});
}

void BatchReport::Append(BatchReport&& other) {
    std::move(other.inputs_.begin(), other.inputs_.end(), std::back_inserter(inputs_));
    other.inputs_.clear();
    std::move(other.rows_.begin(), other.rows_.end(), std::back_inserter(rows_));
    other.rows_.clear();
}

std::string BatchReport::Text() const {
    if (comparing_) return format_ == ReportFormat::Csv ? ComparisonCsv(rows_) : ComparisonJson(rows_);
    return format_ == ReportFormat::Csv ? Csv() : Json();
}

std::string BatchReport::Csv() const {
    std::string text = "input,level,sigma,threshold,zeroed,total,energy_kept,risk\n";
    for (const Input& input : inputs_) {
        for (const analysis::LevelReport& level : input.levels) {
            text += input.name + "," + fw::IntToStr(level.level) + "," + fw::ShortestText(level.sigma) + "," +
                    fw::ShortestText(level.threshold) + "," + fw::IntToStr(level.zeroed) + "," +
                    fw::IntToStr(level.total) + "," + fw::ShortestText(level.energyKept) + "," +
                    fw::ShortestText(level.risk) + "\n";
        }
    }
    return text;
}

std::string BatchReport::Json() const {
    using Json = nlohmann::ordered_json;
    Json inputs = Json::array();
    for (const Input& input : inputs_) {
        const analysis::DenoiseOptions& s = input.settings;
        const Json configuration = {
            {"wavelet", analysis::WaveletName(s.wavelet)},
            {"rule", analysis::RuleName(s.rule)},
            {"shrink", analysis::ShrinkName(s.shrink)},
            {"shifts", s.shifts},
            {"wiener", s.wiener ? Json(analysis::WaveletName(*s.wiener)) : Json(nullptr)},
            {"levels", s.levels},
        };
        Json levels = Json::array();
        for (const analysis::LevelReport& l : input.levels) {
            levels.push_back({{"level", l.level},
                              {"sigma", l.sigma},
                              {"threshold", l.threshold},
                              {"zeroed", l.zeroed},
                              {"total", l.total},
                              {"energy_kept", l.energyKept},
                              {"risk", l.risk}});
        }
        Json files = Json::array();
        for (const WrittenFile& file : input.files) files.push_back({{"file", file.name}, {"sha256", file.sha256}});
        inputs.push_back(
            {{"input", input.name}, {"configuration", configuration}, {"levels", levels}, {"outputs", files}});
    }
    // A file name need not be UTF-8; what is not is replaced, not refused.
    return Json{{"inputs", inputs}}.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace batch
