#pragma once

/// Inverts a 4x4 column-major matrix by cofactor expansion.
/// Returns false and leaves `out` untouched when the determinant is exactly 0.
/// `in` and `out` may not overlap.
bool invertMatrix(const float in[16], float out[16]);
