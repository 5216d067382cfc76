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
    app.callback([this] {
        for (const std::string& argument : arguments_) {
            if (const std::string problem = startArgumentProblem(argument); !problem.empty())
                throw CLI::ValidationError(problem);
            if (arguments_.size() > 1 && isFolder(argument))
                throw CLI::ValidationError("a folder ('" + argument + "') must be the only argument");
        }
    });
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
