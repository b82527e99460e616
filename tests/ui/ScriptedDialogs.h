#pragma once
// Dialogs answered by the test: each open dialog takes the next scripted answer
// (a file name, or cancel); every message box is recorded.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

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

    bool ExecuteOpen(const std::string& filter, std::string& fileName) override {
        Filters.push_back(filter);
        if (answers_.empty()) {
            ADD_FAILURE() << "open dialog shown without a scripted answer";
            return false;
        }
        const std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        if (!answer) {
            return false;
        }
        fileName = *answer;
        return true;
    }

    void ShowMessageBox(const std::string& caption, const std::string& text, fw::MessageBoxIcon icon) override {
        Boxes.push_back({caption, text, icon});
    }

    std::vector<std::string> Filters;  // one per open dialog shown
    std::vector<RecordedBox> Boxes;

private:
    std::deque<std::optional<std::string>> answers_;
};
