// The window's commands run on a fresh engine from the command line.
#include "gifengine/engine_jobs.h"

#include "gifengine/frame_row.h"
#include "gifengine/gif_engine.h"
#include "gifengine/messages.h"
#include "gifengine/split_names.h"

namespace gifengine {

namespace {

// The save dialog answered once, with the name the command line gave.
class GivenName : public SaveChooser {
public:
    explicit GivenName(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> ChooseSaveFile(const SaveDialogRequest&) override { return name_; }

private:
    std::string name_;
};

// The add command of the files, in their order: true when every file gave images.
bool AddFiles(GifEngine& engine, const std::vector<std::string>& files) {
    return engine.LoadGifFiles(files) == int(files.size());
}

// What the window's settings do before its make button: the delay typed into
// the panel with every frame selected, the repeat count into its box.
void ApplySettings(GifEngine& engine, const MakeJob& job) {
    if (job.delay) {
        engine.selectAll();
        const PanelBlock shown = engine.selectedFrameValues();
        PanelBlock pending = shown;
        pending.delay = *job.delay;
        engine.applyFrameEdits(shown, pending);
    }
    if (job.loop) engine.boxes.EdIteration = std::to_string(*job.loop);
}

}  // namespace

int RunMakeJob(const MakeJob& job, Reporter& reporter, std::ostream& out) {
    GivenName name(job.output);
    GifEngine engine(reporter, &name);
    if (!AddFiles(engine, job.files)) return 1;
    ApplySettings(engine, job);
    if (job.sizeOnly) {
        out << engine.PredictFileSizeText() << '\n';
        return 0;
    }
    return engine.MakeAnimatedGif(std::string()) == 1 ? 0 : 1;
}

int RunInfoJob(const InfoJob& job, Reporter& reporter, std::ostream& out) {
    GifEngine engine(reporter);
    const bool complete = AddFiles(engine, job.files);
    const auto line = [&out](const auto& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) out << (i == 0 ? "" : "\t") << cells[i];
        out << '\n';
    };
    if (!engine.frames.empty()) line(FrameGridHeaders());
    for (int i = 0; i < engine.frames.count(); ++i) line(engine.ShowFrameRow(i));
    return complete ? 0 : 1;
}

int RunEngineJob(const EngineJob& job, const std::string& program, std::ostream& out, std::ostream& err) {
    const auto* split = std::get_if<SplitJob>(&job);
    StreamReporter reporter(err, program, split != nullptr && split->replace);
    return std::visit(
        [&](const auto& one) {
            using Job = std::decay_t<decltype(one)>;
            if constexpr (std::is_same_v<Job, MakeJob>)
                return RunMakeJob(one, reporter, out);
            else if constexpr (std::is_same_v<Job, InfoJob>)
                return RunInfoJob(one, reporter, out);
            else
                return RunSplitJob(one, reporter, out);
        },
        job);
}

std::string DefaultSplitPrefix(const std::string& input) { return SplitBaseName(input); }

int RunSplitJob(const SplitJob& job, Reporter& reporter, std::ostream& out) {
    // The dialog's name loses its extension: the prefix is kept whole by giving it one.
    GivenName name(job.prefix + ".gif");
    GifEngine engine(reporter, &name);
    if (!AddFiles(engine, {job.input})) return 1;
    const int written = engine.splitIntoFiles();
    for (int i = 1; i <= written; ++i) out << SplitFileName(job.prefix, i) << '\n';
    return written > 0 ? 0 : 1;
}

StreamReporter::StreamReporter(std::ostream& err, std::string program, bool agree)
    : err_(err), program_(std::move(program)), agree_(agree) {}

MessageAnswer StreamReporter::ShowMessage(std::string_view, std::string_view text, MessageButtons buttons) {
    const bool question = buttons != MessageButtons::Ok;
    const bool yesNo = buttons == MessageButtons::YesNo;
    // A question agreed to in advance is not shown.
    if (question && agree_) return yesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    std::string shown(text);
    if (question && shown.ends_with(text::kAskOverwrite)) shown.resize(shown.size() - text::kAskOverwrite.size());
    // The boxes' line breaks, some of them "\r\n", as plain line breaks.
    std::erase(shown, '\r');
    err_ << program_ << ": " << shown << '\n';
    if (!question) return MessageAnswer::Ok;
    return yesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

}  // namespace gifengine
