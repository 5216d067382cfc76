// How the viewer waits for another program: a pause that lets its own events run.
#pragma once

#include <chrono>
#include <functional>

namespace sorvath {

// Lets the own program run for about this long; the plain default sleeps.
using PauseFunction = std::function<void(std::chrono::milliseconds)>;

}  // namespace sorvath
