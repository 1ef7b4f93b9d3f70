#include "Support/Vec3.h"

#include <cmath>

Vec3 Vec3::normalize()
{
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length != 0.0f) {
        x /= length;
        y /= length;
        z /= length;
    }
    return *this;
}
