// A Form1 with scripted dialogs, and result runs written into a temporary folder.
#pragma once

#include "tests/viewer/support/result_run_writer.h"
#include "viewer/window/form1.h"

#include <QAction>
#include <QLabel>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sorvath::testing {

class ScriptedInteraction : public WindowInteraction {
public:
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::string chooseOpenFile(const FileOpenRequest& request) override {
        requests.push_back(request);
        const std::string path = paths.empty() ? std::string() : paths.front();
        if (!paths.empty()) paths.pop_front();
        return path;
    }
    void setStartFolder(const std::string& folder) override { startFolder = folder; }
    std::optional<std::string> askText(const std::string& prompt) override {
        prompts.push_back(prompt);
        std::optional<std::string> answer;
        if (!texts.empty()) {
            answer = texts.front();
            texts.pop_front();
        }
        return answer;
    }
    bool choosePrinter(QPrinter& printer) override {
        ++printerChoices;
        if (pdfPath.empty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        // The same page whatever the locale's paper.
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
    void beep() override { ++beeps; }
    std::string rememberedRunFolder() override { return runFolder; }
    void rememberRunFolder(const std::string& folder) override { runFolder = folder; }

    std::deque<std::string> paths;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> texts;  // nullopt: the box was cancelled
    std::string pdfPath;                           // empty: the print dialog is cancelled
    std::vector<std::string> questions;
    std::vector<FileOpenRequest> requests;
    std::vector<std::string> prompts;
    std::string startFolder;
    std::string runFolder;  // the settings' last run folder
    int printerChoices = 0;
    int beeps = 0;
};

struct WindowBench {
    testing::TempFolder folder;
    ScriptedInteraction* dialogs;
    std::unique_ptr<Form1> form;

    // rememberedRunFolder: what the settings hold from an earlier start.
    explicit WindowBench(const std::string& rememberedRunFolder = {}) {
        auto scripted = std::make_unique<ScriptedInteraction>();
        scripted->runFolder = rememberedRunFolder;
        dialogs = scripted.get();
        form = std::make_unique<Form1>(std::move(scripted));
    }

    template <typename T>
    T* control(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    QAction* action(const char* name) const { return control<QAction>(name); }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    void click(const char* name) const { button(name)->click(); }

    // Writes the run (with wall and contact companions) and opens it as the output file.
    void openOutput(const testing::ResultRun& run, bool mountWalls = false, const std::string& name = "out-0001.dat") {
        testing::writeRun(folder.path(), name, run, testing::RecordLayout::Long, true, true);
        openOutputFile(folder.file(name), mountWalls);
    }
    void openInput(const testing::ResultRun& run, const std::string& name = "input.dat") {
        testing::writeTextFile(folder.path() / name, testing::inputFileText(run, testing::RecordLayout::Long));
        openInputFile(folder.file(name));
    }
    // Opens files already in place through the menu commands, the path as the dialog gives it.
    void openOutputFile(const std::string& path, bool mountWalls = false) {
        dialogs->paths.push_back(path);
        dialogs->answers.push_back(mountWalls);
        action("m12")->trigger();
    }
    void openInputFile(const std::string& path) {
        dialogs->paths.push_back(path);
        action("m11")->trigger();
    }
    // The message log's lines, newest first.
    QStringList logLines() const {
        return control<QPlainTextEdit>("Text1")->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QString newestMessage() const { return logLines().value(0); }
};

}  // namespace sorvath::testing
