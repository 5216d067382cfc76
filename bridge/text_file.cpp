#include "bridge/text_file.h"

#include "bridge/field_text.h"

#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace bridge {

std::string readTextFile(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw InputError(path.string() + ": cannot be opened");
    std::string text;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw InputError(path.string() + ": cannot be read");
    return text;
}

FileSet::~FileSet() {
    std::error_code ignored;
    for (const auto& entry : files_) std::filesystem::remove(entry.first, ignored);
}

std::filesystem::path FileSet::temporaryFor(const std::filesystem::path& path) {
    std::filesystem::path temporary = path;
    temporary += ".part" + std::to_string(::getpid());
    files_.emplace_back(temporary, path);
    return temporary;
}

void FileSet::write(const std::filesystem::path& path, const std::string& text) {
    const std::filesystem::path temporary = temporaryFor(path);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw std::runtime_error(path.string() + ": cannot be written");
}

void FileSet::commit() {
    for (const auto& [temporary, final] : files_) {
        std::error_code error;
        std::filesystem::rename(temporary, final, error);
        if (error) throw std::runtime_error(final.string() + ": cannot be written (" + error.message() + ")");
    }
    files_.clear();
}

}  // namespace bridge
