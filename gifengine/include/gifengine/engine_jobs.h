// The assembler's commands run from the command line, without a window: each
// loads the named files into a fresh GifEngine as the add command does and runs
// the same engine command the window's button runs. Messages go through the
// given Reporter (a StreamReporter prints them); questions are answered by it.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "gifengine/reporter.h"

namespace gifengine {

// The animation the window makes of `files` added in that order.
struct MakeJob {
    std::vector<std::string> files;
    std::string output;        // the save dialog's answer
    std::optional<int> delay;  // typed into the panel with every frame selected
    std::optional<int> loop;   // typed into the repeat-count box
    bool sizeOnly = false;     // print the predicted size instead of writing
};

// Every image of `files`, one grid row per line after the grid's header.
struct InfoJob {
    std::vector<std::string> files;
};

// Every image of `input` written alone as prefix + "001.gif", ...; files
// already there are replaced only when `replace` is set.
struct SplitJob {
    std::string input;
    std::string prefix;
    bool replace = false;
};

// Exit status 0 when the command did its work, 1 when it did not (reported).
int RunMakeJob(const MakeJob& job, Reporter& reporter, std::ostream& out);
int RunInfoJob(const InfoJob& job, Reporter& reporter, std::ostream& out);
int RunSplitJob(const SplitJob& job, Reporter& reporter, std::ostream& out);

using EngineJob = std::variant<MakeJob, InfoJob, SplitJob>;

// Runs the job with its messages on `err` as "<program>: <text>"; the only
// question (replacing a split's files) is agreed to when the job says so.
int RunEngineJob(const EngineJob& job, const std::string& program, std::ostream& out, std::ostream& err);

// A split's default prefix: the input's path without its extension.
std::string DefaultSplitPrefix(const std::string& input);

// Message boxes as lines on a stream: "<program>: <text>". A question is agreed
// to silently when `agree`, else declined and printed without its closing
// question ("...上書きして構いませんか？"), as the statement it starts with.
class StreamReporter : public Reporter {
public:
    StreamReporter(std::ostream& err, std::string program, bool agree);
    MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageButtons buttons) override;

private:
    std::ostream& err_;
    std::string program_;
    bool agree_;
};

}  // namespace gifengine
