// The threshold ratio as typed into the input box and as shown in its label.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace sorvath {

// A whole decimal number, blanks around it allowed; nothing for an empty or
// non-numeric entry (or one that is not finite as a single-precision value).
std::optional<float> parseRatio(const std::string& text);
// Shortest general form of the single-precision value: 1 -> "1", 1.5 -> "1.5".
QString ratioText(float ratio);

}  // namespace sorvath
