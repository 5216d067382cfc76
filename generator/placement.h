#pragma once
// Random sequential addition of the sorted particles into the packing
// rectangle, clear of the line constraints and of every particle placed before.
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "generator/control_record.h"
#include "generator/particle.h"

namespace tessark {

// How a trial is tested against the particles already placed. Both accept
// and reject exactly the same trials; the naive scan is the reference.
enum class OverlapSearch { Naive, CellGrid };

// Places every particle of `table` in order, printing the particle numbers
// and the failed-pass reports on `console`. After a failed pass it waits for
// one number on `operatorInput` and draws new radii; just before that wait it
// writes kPauseHint to `pauseHint`, when given (the console itself is left as it
// is). Returns false with `error` when that input is not a number or has ended.
bool placeParticles(const ControlRecord& control, ParticleTable& table, std::int32_t& ir, std::istream& operatorInput,
                    std::ostream& console, OverlapSearch search, std::string& error, std::ostream* pauseHint = nullptr);

// The line that tells an operator at a terminal how to answer the pause.
inline constexpr const char* kPauseHint = "type a number and Enter to retry with a new size; Ctrl+C stops";

}  // namespace tessark
