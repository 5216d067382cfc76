#include "viewer/core/companion_names.h"

#include <cstddef>

namespace sorvath {
namespace {

// Byte offsets of the UTF-8 characters of a name (plus the end), so the
// four-character cuts never split a character.
std::vector<size_t> characterStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0u) != 0x80u) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

}  // namespace

bool isOutputFileName(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.size() >= 7 && name.compare(0, 3, "out") == 0 && name.compare(name.size() - 4, 4, ".dat") == 0;
}

std::optional<OutputPathParts> splitOutputPath(const std::string& path) {
    OutputPathParts parts;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        parts.filepart = path;
    } else {
        parts.dirpart = path.substr(0, slash + 1);
        parts.filepart = path.substr(slash + 1);
    }
    const std::vector<size_t> starts = characterStarts(parts.filepart);
    const size_t characters = starts.size() - 1;
    if (characters < 8) return std::nullopt;
    const size_t first = starts[4];
    const size_t last = starts[characters - 4];
    parts.filenoc = parts.filepart.substr(first, last - first);
    return parts;
}

namespace {
std::string companionName(const OutputPathParts& parts, const char* fixedName, const char* prefix) {
    if (parts.filepart == "output.dat") return fixedName;
    return std::string(prefix) + parts.filenoc + ".dat";
}
}  // namespace

std::string wallFileName(const OutputPathParts& parts) { return companionName(parts, "wllout.dat", "wou-"); }

std::string contactRecordFileName(const OutputPathParts& parts) { return companionName(parts, "cont.dat", "cnt-"); }

std::string contactHeaderFileName(const OutputPathParts& parts) { return companionName(parts, "cont2.dat", "cn2-"); }

}  // namespace sorvath
