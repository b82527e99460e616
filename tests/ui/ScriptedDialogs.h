#pragma once
// Dialogs answered by the test: each open, save or print dialog takes the next
// scripted answer of its kind (a file name, or cancel); every dialog shown and
// every message box is recorded, in order, in Log.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/paint/Printer.h"
#include "framework/gui/window/DialogService.h"

struct RecordedBox {
    std::string Caption;
    std::string Text;
    fw::MessageBoxIcon Icon;
};

class ScriptedDialogs : public fw::DialogService {
public:
    void AnswerOpenWith(const std::string& fileName) { answers_.emplace_back(fileName); }
    void CancelNextOpen() { answers_.emplace_back(std::nullopt); }
    // filterIndex -1 keeps the entry the window selected.
    void AnswerSaveWith(const std::string& fileName, int filterIndex = -1) {
        saveAnswers_.push_back(SaveAnswer{fileName, filterIndex});
    }
    void CancelNextSave() { saveAnswers_.emplace_back(std::nullopt); }
    // The print job goes into this PDF file.
    void AnswerPrintInto(const std::string& pdfFile) { printAnswers_.emplace_back(pdfFile); }
    void CancelNextPrint() { printAnswers_.emplace_back(std::nullopt); }
    // Without an answer the picture size dialog takes the window's size.
    void AnswerPictureSizeWith(fw::PictureSizeChoice choice) { sizeAnswers_.emplace_back(choice); }
    void CancelNextPictureSize() { sizeAnswers_.emplace_back(std::nullopt); }

    bool ExecuteOpen(const std::string& filter, std::string& fileName) override {
        Filters.push_back(filter);
        Log.push_back("open " + fileName);
        const std::optional<std::string> answer = Next(answers_, "open");
        if (!answer) {
            return false;
        }
        fileName = *answer;
        return true;
    }

    bool ExecuteSave(const std::string& filter, std::string& fileName, int& filterIndex) override {
        Log.push_back("save " + fileName + " [" + std::to_string(filterIndex) + "]");
        SaveFilters.push_back(filter);
        const std::optional<SaveAnswer> answer = Next(saveAnswers_, "save");
        if (!answer) {
            return false;
        }
        fileName = answer->FileName;
        if (answer->FilterIndex >= 0) {
            filterIndex = answer->FilterIndex;
        }
        return true;
    }

    bool ExecutePrint(fw::TPrinter& printer) override {
        Log.push_back("print");
        const std::optional<std::string> answer = Next(printAnswers_, "print");
        if (!answer) {
            return false;
        }
        printer.SetOutputFileName(*answer);
        return true;
    }

    std::optional<fw::PictureSizeChoice> ExecutePictureSize(int32_t windowWidth, int32_t windowHeight) override {
        PictureSizesAsked.push_back({windowWidth, windowHeight});
        if (sizeAnswers_.empty()) return fw::PictureSizeChoice{};
        const std::optional<fw::PictureSizeChoice> answer = sizeAnswers_.front();
        sizeAnswers_.pop_front();
        return answer;
    }

    void AnswerQuestionWith(bool yes) { questionAnswers_.emplace_back(yes); }
    bool AskYesNo(const std::string& caption, const std::string& text) override {
        Log.push_back("ask " + caption + ": " + text);
        return Next(questionAnswers_, "question").value_or(false);
    }

    void ShowMessageBox(const std::string& caption, const std::string& text, fw::MessageBoxIcon icon) override {
        Boxes.push_back({caption, text, icon});
        Log.push_back("box " + caption + ": " + text);
    }

    // Every scripted answer was taken by a dialog.
    bool Answered() const {
        return answers_.empty() && saveAnswers_.empty() && printAnswers_.empty() && questionAnswers_.empty() &&
               sizeAnswers_.empty();
    }

    std::vector<std::string> Filters;      // one per open dialog shown
    std::vector<std::string> SaveFilters;  // one per save dialog shown
    std::vector<RecordedBox> Boxes;
    std::vector<std::string> Log;
    std::vector<fw::PicturePixels> PictureSizesAsked;  // the window's size each time

private:
    std::deque<std::optional<fw::PictureSizeChoice>> sizeAnswers_;
    struct SaveAnswer {
        std::string FileName;
        int FilterIndex;
    };

    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers, const char* kind) {
        if (answers.empty()) {
            ADD_FAILURE() << kind << " dialog shown without a scripted answer";
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers_;
    std::deque<std::optional<SaveAnswer>> saveAnswers_;
    std::deque<std::optional<std::string>> printAnswers_;
    std::deque<std::optional<bool>> questionAnswers_;
};
