#include "viewer/export/assembler_script.h"

namespace sorvath {

std::vector<std::string> assemblerKeyScript(int frameCounter) {
    std::vector<std::string> keys = {"{TAB}", "{Down}", "{UP}"};
    for (int k = 0; k < frameCounter - 95; ++k) keys.push_back("+{Down}");
    const auto tabs = [&](int count) {
        for (int k = 0; k < count; ++k) keys.push_back("{TAB}");
    };
    tabs(7);  // to the add button
    keys.push_back("{enter}");
    tabs(8);  // to the select-all button
    keys.push_back("{enter}");
    tabs(1);  // to the make button
    keys.push_back("{enter}");
    keys.push_back("tempanim.gif");
    keys.push_back("{enter}");
    keys.push_back("%{F4}");
    keys.push_back("{enter}");  // confirms closing with frames in the list
    return keys;
}

}  // namespace sorvath
