#pragma once
#include <array>
#include <cstdint>

namespace stellaro {

// One term of the IAU 1980 nutation series: the multipliers of D, M, M', F and Omega, and the
// sine (longitude) and cosine (obliquity) amplitudes in 0.0001" with their change per century.
struct NutationTerm {
    int32_t d, m, m_prime, f, omega;
    int32_t psi0;
    double psi1;
    int32_t eps0;
    double eps1;
};

extern const std::array<NutationTerm, 63> NUTATION_TERMS;

} // namespace stellaro
