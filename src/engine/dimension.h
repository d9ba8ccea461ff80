#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tally {

// Exponents over the base units, in the order of the base-unit list. An empty vector, or
// one of zeros, is dimensionless; vectors are grown to the base-unit count on demand.
// Every operand carries one, so the exponents of the built-in base units and a few of the
// user's are held in place; only more base units than that take room of their own.
class DimensionVector {
  public:
    static constexpr std::size_t kHeldInPlace = 10;

    DimensionVector() = default;
    DimensionVector(std::initializer_list<double> exponents);
    // Copying a plain number's empty dimension copies nothing; any other copies the room
    // held in place whole, which costs less than counting out the exponents in use.
    DimensionVector(const DimensionVector& other) { *this = other; }
    DimensionVector(DimensionVector&& other) noexcept { *this = std::move(other); }
    DimensionVector& operator=(const DimensionVector& other);
    DimensionVector& operator=(DimensionVector&& other) noexcept;
    ~DimensionVector() = default;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    double* begin() { return data(); }
    double* end() { return data() + m_size; }
    const double* begin() const { return data(); }
    const double* end() const { return data() + m_size; }
    double& operator[](std::size_t i) { return data()[i]; }
    double operator[](std::size_t i) const { return data()[i]; }

    // New exponents are `value`.
    void resize(std::size_t size, double value = 0);
    void clear() {
        m_size = 0;
        if (!m_outside.empty()) m_outside.clear();
    }

    bool operator==(const DimensionVector& other) const;

  private:
    void copyHeldInPlace(const DimensionVector& other);
    double* data() { return m_outside.empty() ? m_inPlace.data() : m_outside.data(); }
    const double* data() const { return m_outside.empty() ? m_inPlace.data() : m_outside.data(); }

    std::size_t m_size = 0;
    // Always initialised, since it is copied whole.
    std::array<double, kHeldInPlace> m_inPlace{};
    // Holds all the exponents once there are more than kHeldInPlace, until cleared.
    std::vector<double> m_outside;
};

inline void DimensionVector::copyHeldInPlace(const DimensionVector& other) {
    if (!m_outside.empty()) m_outside.clear();
    m_inPlace = other.m_inPlace;
    m_size = other.m_size;
}

inline DimensionVector& DimensionVector::operator=(const DimensionVector& other) {
    // A plain number's empty dimension, the commonest, leaves nothing to copy.
    if (other.m_size == 0) {
        clear();
        return *this;
    }
    if (this == &other) return *this;
    if (other.m_outside.empty()) {
        copyHeldInPlace(other);
    } else {
        m_outside = other.m_outside;
        m_size = other.m_size;
    }
    return *this;
}

inline DimensionVector& DimensionVector::operator=(DimensionVector&& other) noexcept {
    // An empty dimension leaves nothing to move; the one moved from stays as it is.
    if (other.m_size == 0) {
        clear();
        return *this;
    }
    if (this == &other) return *this;
    if (other.m_outside.empty()) {
        copyHeldInPlace(other);
    } else {
        m_outside = std::move(other.m_outside);
        m_size = other.m_size;
    }
    other.clear();
    return *this;
}

inline bool isDimensionless(const DimensionVector& dimension) {
    for (double e : dimension) {
        if (e != 0) return false;
    }
    return true;
}
// Whether two dimensions agree exponent by exponent (missing exponents count as 0).
bool sameDimension(const DimensionVector& a, const DimensionVector& b);
// a := a + factor * b, exponent by exponent.
void addScaled(DimensionVector& a, const DimensionVector& b, double factor);
void scaleExponents(DimensionVector& a, double factor);

struct BaseUnit {
    std::u16string symbol;
    double scale = 1;  // value of the unit's own definition, re-read every line
};

// The seven base units at start-up, in table order.
std::vector<BaseUnit> initialBaseUnits();

}  // namespace tally
