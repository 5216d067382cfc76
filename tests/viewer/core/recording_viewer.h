// Recording and scripted stand-ins for the window around the result reader.
#pragma once

#include "viewer/core/result_reader.h"

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

class RecordingDisplay : public SceneDisplay {
public:
    void setscale() override { calls.push_back("setscale"); }
    void clearPicture() override { calls.push_back("clear"); }
    void drawscene() override { calls.push_back("drawscene"); }
    void showFilename(const std::string& path) override { filename = path; }
    void showStepNumber(int32_t iloop) override { stepNumber = std::to_string(iloop); }
    void clearStepNumber() override { stepNumber.clear(); }
    void setanimbuttons(int flag) override { animFlag = flag; }
    void setviewbuttons(int flag) override { viewFlag = flag; }
    void viewOptionsChanged() override { ++optionChanges; }
    int count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) n += c == call ? 1 : 0;
        return n;
    }
    std::vector<std::string> calls;
    std::string filename;
    std::string stepNumber;
    int animFlag = -1;
    int viewFlag = -1;
    int optionChanges = 0;
};

// Everything a reader needs, wired together.
struct ReaderBench {
    Scene scene;
    ViewOptions options;
    RecordingLog log;
    ScriptedPrompter prompter;
    RecordingDisplay display;
    ResultReader reader{scene, options, log, prompter, display};
};

}  // namespace sorvath::testing
