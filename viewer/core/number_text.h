// Numbers as the message log shows them: the shortest general form with up to
// fifteen significant digits ("0.25", "1500", "1E-20" style without trailing zeros).
#pragma once

#include <string>

namespace sorvath {

std::string generalNumberText(double value);

}  // namespace sorvath
