#include "engine/dimension.h"

#include <algorithm>

namespace tally {

DimensionVector::DimensionVector(std::initializer_list<double> exponents) {
    resize(exponents.size());
    std::copy(exponents.begin(), exponents.end(), begin());
}

void DimensionVector::resize(std::size_t size, double value) {
    if (m_outside.empty() && size > kHeldInPlace) {
        m_outside.assign(m_inPlace.begin(), m_inPlace.begin() + m_size);
    }
    if (!m_outside.empty() || size > kHeldInPlace) {
        m_outside.resize(size, value);
    } else {
        std::fill(m_inPlace.begin() + m_size, m_inPlace.begin() + std::max(size, m_size), value);
    }
    m_size = size;
}

bool DimensionVector::operator==(const DimensionVector& other) const {
    if (m_size != other.m_size) return false;
    const double* mine = data();
    const double* theirs = other.data();
    for (std::size_t i = 0; i < m_size; ++i) {
        if (mine[i] != theirs[i]) return false;
    }
    return true;
}

bool sameDimension(const DimensionVector& a, const DimensionVector& b) {
    std::size_t count = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < count; ++i) {
        double left = i < a.size() ? a[i] : 0;
        double right = i < b.size() ? b[i] : 0;
        if (left != right) return false;
    }
    return true;
}

void addScaled(DimensionVector& a, const DimensionVector& b, double factor) {
    if (b.empty()) return;
    // A plain number times a unit, the commonest case, takes the unit's dimension whole.
    if (a.empty()) {
        a = b;
        if (factor == 1) return;
        // As the sum below would give them: 0 + factor * e, never a negative zero.
        for (double& e : a)
            e = 0 + factor * e;
        return;
    }
    if (a.size() < b.size()) a.resize(b.size(), 0);
    for (std::size_t i = 0; i < b.size(); ++i)
        a[i] += factor * b[i];
}

void scaleExponents(DimensionVector& a, double factor) {
    for (double& e : a)
        e *= factor;
}

std::vector<BaseUnit> initialBaseUnits() {
    return {{u"А", 1}, {u"кд", 1}, {u"г", 0.001}, {u"м", 1}, {u"с", 1}, {u"моль", 1}, {u"К", 1}};
}

}  // namespace tally
