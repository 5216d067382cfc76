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

std::vector<std::string> assemblerKeyScript(int frameCounter, const std::string& animationPath) {
    std::vector<std::string> keys;
    for (const KeyStep& step : assemblerKeySteps(frameCounter, animationPath)) keys.push_back(step.keys);
    return keys;
}

}  // namespace sorvath
