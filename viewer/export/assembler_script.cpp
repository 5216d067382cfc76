#include "viewer/export/assembler_script.h"

#include "viewer/platform/key_notation.h"

namespace sorvath {

std::vector<KeyStep> assemblerKeySteps(int frameCounter, const std::string& animationPath) {
    std::vector<KeyStep> steps;
    const auto key = [&](const std::string& keys, int count = 1) {
        for (int k = 0; k < count; ++k) steps.push_back({keys, KeyEffect::None, {}});
    };
    key("{TAB}");
    key("{Down}");
    key("{UP}");
    key("+{Down}", frameCounter - 95);
    key("{TAB}", 7);  // to the add button
    key("{enter}");
    key("{TAB}", 8);  // to the select-all button
    key("{enter}");
    key("{TAB}");  // to the make button
    steps.push_back({"{enter}", KeyEffect::OpensDialog, kAssemblerSaveDialog});
    key(literalKeys(animationPath));
    steps.push_back({"{enter}", KeyEffect::ClosesDialog, {}});
    // The close question: the list still holds the frames.
    steps.push_back({"%{F4}", KeyEffect::OpensDialog, kAssemblerCloseQuestion});
    steps.push_back({"{enter}", KeyEffect::EndsProgram, {}});
    return steps;
}

std::vector<std::string> assemblerCommandArguments(int frameCounter, const std::string& animationPath) {
    std::vector<std::string> arguments{"--make", animationPath};
    for (int frame = 101; frame <= frameCounter; ++frame) arguments.push_back("temp-" + std::to_string(frame) + ".gif");
    return arguments;
}

std::optional<std::string> saveDialogPathProblem(const std::string& path) {
    if (path.find('"') != std::string::npos)
        return std::string("it holds a '\"', which the dialog reads as quotes around a list of file names");
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::string("it holds a control character");
    for (size_t pos = 0; pos < path.size();) {
        const auto lead = static_cast<unsigned char>(path[pos]);
        const size_t length = lead < 0x80             ? 1
                              : (lead & 0xE0) == 0xC0 ? 2
                              : (lead & 0xF0) == 0xE0 ? 3
                              : (lead & 0xF8) == 0xF0 ? 4
                                                      : 0;
        bool whole = length > 0 && pos + length <= path.size();
        for (size_t k = 1; whole && k < length; ++k) whole = (static_cast<unsigned char>(path[pos + k]) & 0xC0) == 0x80;
        if (!whole) return std::string("it is not UTF-8 text");
        pos += length;
    }
    return std::nullopt;
}

std::vector<std::string> assemblerKeyScript(int frameCounter, const std::string& animationPath) {
    std::vector<std::string> keys;
    for (const KeyStep& step : assemblerKeySteps(frameCounter, animationPath)) keys.push_back(step.keys);
    return keys;
}

}  // namespace sorvath
