#include "assembler/platform/start_arguments.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace flikkor {

namespace fs = std::filesystem;

namespace {

bool isFolder(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_directory(path, ignored);
}

// The add command's own test: the extension from the last "." on is ".GIF" in any letter case.
bool hasGifExtension(const std::string& path) {
    const std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos || path.size() - dot != 4) return false;
    std::string extension = path.substr(dot);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension == ".GIF";
}

std::string absolutePath(const std::string& path) {
    std::error_code ignored;
    fs::path absolute = fs::absolute(path, ignored).lexically_normal();
    // "DIR/" names the folder itself, not an empty name inside it.
    if (!absolute.has_filename() && absolute.has_relative_path()) absolute = absolute.parent_path();
    return absolute.string();
}

// Why an argument can be neither the folder nor one of the files; empty when it can.
std::string startArgumentProblem(const std::string& argument) {
    if (isFolder(argument) || hasGifExtension(argument)) return {};
    return "'" + argument + "' is neither a folder nor a .gif file";
}

}  // namespace

StartArguments::StartArguments(toolkit::ProgramCommandLine& commandLine) {
    CLI::App& app = commandLine.app();
    app.add_option("PATH", arguments_, "a folder to show in the file page, or GIF files to add")
        ->type_name("DIR | FILE.gif");
    CLI::Option* make = app.add_option("--make", make_,
                                       "without a window: the animation of the GIF files, as the make button writes it")
                            ->type_name("OUT.gif");
    CLI::Option* size = app.add_flag("--size", size_, "print the size the animation would have; write nothing");
    app.add_option("--delay", delay_, "every frame's delay, in 1/100 s, as typed into the panel")
        ->type_name("CS")
        ->check(CLI::Range(0, 65535).description(""));
    app.add_option("--loop", loop_, "the repeat count (0: endless)")
        ->type_name("N")
        ->check(CLI::Range(0, 65535).description(""));
    CLI::Option* info = app.add_flag("--info", info_, "print the frame grid's row of every image, tab-separated");
    CLI::Option* split =
        app.add_option("--split", split_, "write every image of IN.gif alone as PREFIX001.gif, PREFIX002.gif, ...")
            ->type_name("IN.gif");
    app.add_option("--to", to_, "the split files' prefix (default: IN without its extension)")
        ->type_name("PREFIX")
        ->needs(split);
    app.add_flag("--force", force_, "let the split replace files already there")->needs(split);
    make->excludes(info, split);
    size->excludes(info, split);
    info->excludes(split);
    app.callback([this] {
        if (const std::string why = problem(); !why.empty()) throw CLI::ValidationError(why);
    });
}

std::string StartArguments::problem() const {
    const bool makes = !make_.empty() || size_;
    if ((delay_ || loop_) && !makes) return "--delay and --loop need --make or --size";
    if (!split_.empty()) {
        if (!arguments_.empty()) return "--split takes no other files";
        return {};
    }
    if (makes || info_) {
        if (arguments_.empty()) return "no GIF files given";
        for (const std::string& argument : arguments_)
            if (isFolder(argument) || !hasGifExtension(argument)) return "'" + argument + "' is not a .gif file";
        return {};
    }
    for (const std::string& argument : arguments_) {
        if (const std::string why = startArgumentProblem(argument); !why.empty()) return why;
        if (arguments_.size() > 1 && isFolder(argument))
            return "a folder ('" + argument + "') must be the only argument";
    }
    return {};
}

std::optional<gifengine::EngineJob> StartArguments::job() const {
    std::vector<std::string> files;
    for (const std::string& argument : arguments_) files.push_back(absolutePath(argument));
    if (!make_.empty() || size_) return gifengine::MakeJob{files, make_, delay_, loop_, size_};
    if (info_) return gifengine::InfoJob{files};
    if (!split_.empty())
        return gifengine::SplitJob{split_, to_.empty() ? gifengine::DefaultSplitPrefix(split_) : to_, force_};
    return std::nullopt;
}

StartRequest StartArguments::request() const {
    StartRequest request;
    if (arguments_.size() == 1 && isFolder(arguments_.front())) {
        request.folder = absolutePath(arguments_.front());
        return request;
    }
    for (const std::string& argument : arguments_) request.files.push_back(absolutePath(argument));
    return request;
}

}  // namespace flikkor
