// Reporter and save chooser for tests: messages are recorded, answers and
// chosen file names are scripted.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "gifengine/reporter.h"

namespace gifengine::testing {

struct RecordedMessage {
    std::string caption;
    std::string text;
    gifengine::MessageButtons buttons;
};

class RecordingReporter : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons buttons) override {
        messages.push_back({std::string(caption), std::string(text), buttons});
        if (answers.empty()) return gifengine::MessageAnswer::Ok;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }
    std::vector<RecordedMessage> messages;
    std::deque<gifengine::MessageAnswer> answers;
};

class ScriptedSaveChooser : public gifengine::SaveChooser {
public:
    std::optional<std::string> ChooseSaveFile(const gifengine::SaveDialogRequest& request) override {
        requests.push_back(request);
        if (names.empty()) return std::nullopt;
        auto name = names.front();
        names.pop_front();
        return name;
    }
    std::deque<std::optional<std::string>> names;  // nullopt = cancel
    std::vector<gifengine::SaveDialogRequest> requests;
};

}  // namespace gifengine::testing
