// Recording and scripted stand-ins for the window around the result reader and the
// viewer session.
#pragma once

#include "viewer/core/result_reader.h"
#include "viewer/core/viewer_session.h"

#include <deque>
#include <string>
#include <vector>

namespace sorvath::testing {

class RecordingLog : public MessageLog {
public:
    void showmsg(const std::string& text) override { messages.push_back(text); }
    void beep() override { ++beeps; }
    bool contains(const std::string& text) const {
        for (const std::string& m : messages)
            if (m == text) return true;
        return false;
    }
    std::vector<std::string> messages;
    int beeps = 0;
};

class ScriptedPrompter : public ViewerPrompter {
public:
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::string chooseOpenFile(const FileOpenRequest& request) override {
        requests.push_back(request);
        const std::string path = paths.empty() ? std::string() : paths.front();
        if (!paths.empty()) paths.pop_front();
        return path;
    }
    std::deque<std::string> paths;
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<FileOpenRequest> requests;
};

// Everything a reader needs, wired together.
struct ReaderBench {
    Scene scene;
    ViewOptions options;
    RecordingLog log;
    ScriptedPrompter prompter;
    ViewerState state;  // what the window would show
    ResultReader reader{scene, options, log, prompter, state};
};

// A viewer session with a recording log and a scripted prompter, as the window has
// one, for a picture of 533 x 533 pixels.
struct SessionBench {
    RecordingLog log;
    ScriptedPrompter prompter;
    ViewerSession session{log, prompter, 533, 533};
};

}  // namespace sorvath::testing
