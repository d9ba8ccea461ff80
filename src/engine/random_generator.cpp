#include "engine/random_generator.h"

#include <chrono>
#include <cstring>

namespace tally {

namespace {
constexpr std::uint32_t kModulusMask = (1U << 24) - 1;
}

void RandomGenerator::seedFromClock() {
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                 std::chrono::system_clock::now().time_since_epoch().count();
    m_state = static_cast<std::uint32_t>(ticks ^ (ticks >> 24)) & kModulusMask;
    m_seeded = true;
}

float RandomGenerator::advance() {
    m_state = (m_state * 1140671485U + 12820163U) & kModulusMask;
    m_last = static_cast<float>(m_state) / static_cast<float>(1U << 24);
    return m_last;
}

float RandomGenerator::next(double control) {
    if (control < 0) {
        // The same negative argument always starts the same sequence.
        auto single = static_cast<float>(control);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &single, sizeof bits);
        m_state = (bits + (bits >> 24)) & kModulusMask;
        m_seeded = true;
        return advance();
    }
    if (!m_seeded) seedFromClock();
    if (control == 0) return m_last;
    return advance();
}

}  // namespace tally
