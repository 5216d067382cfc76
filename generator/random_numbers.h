#pragma once
// The generator's two random routines. Both advance one integer seed owned by
// the caller, so a run that starts from seed 0 always draws the same values.
#include <cstdint>
#include <ostream>

namespace tessark {

// Linear congruential generator constants; the reciprocal of the modulus is
// stored, and values are scaled by multiplying with it.
inline constexpr std::int32_t kRandomMultiplier = 1229;
inline constexpr std::int32_t kRandomIncrement = 351750;
inline constexpr std::int32_t kRandomModulus = 1664501;
inline constexpr double kRandomScale = 6.007806543823044e-07;
// The truncated 2*pi of the Box-Muller transform.
inline constexpr double kBoxMullerTwoPi = 6.28318530717958;

// Fills x[0..n-1] with uniform values in [0, 1). Reports n <= 0 and a seed out
// of range on `console`.
void URAND1(int n, double* x, std::int32_t& ir, std::ostream& console);

// Fills x[0..n-1] (x[0..n] when n is odd, with a warning) with standard normal
// deviates, one Box-Muller pair per two uniform values: sine to the first
// position of the pair, cosine to the second.
//
// A uniform value of exactly 0 in the first position of a pair would make the
// logarithm infinite. NRAND then skips that value: it prints a warning, moves
// the later uniforms of the call one place forward and draws one more at the
// end, so the pair is formed from the next values of the sequence. From seed 0
// this first happens at the 832250th value, where the sequence wraps round.
void NRAND(int n, double* x, std::int32_t& ir, std::ostream& console);

}  // namespace tessark
