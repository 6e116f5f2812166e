// Tarn engine: 2D vectors, 3x3 matrices and scalar helpers.
//
// Every function reads all of its inputs before writing its result, so a
// result pointer may be one of the inputs.
#include "TarnMath.h"

#include <cmath>

// ---- 2D vectors -------------------------------------------------------------

void TarnVec2Zero(TarnVec2* out) {
    *out = TarnVec2{0.0f, 0.0f};
}

void TarnVec2Set(TarnVec2* out, float x, float y) {
    *out = TarnVec2{x, y};
}

void TarnVec2Neg(TarnVec2* out, const TarnVec2* a) {
    *out = TarnVec2{-a->x, -a->y};
}

void TarnVec2Add(TarnVec2* out, const TarnVec2* a, const TarnVec2* b) {
    *out = TarnVec2{a->x + b->x, a->y + b->y};
}

void TarnVec2Sub(TarnVec2* out, const TarnVec2* a, const TarnVec2* b) {
    *out = TarnVec2{a->x - b->x, a->y - b->y};
}

void TarnVec2Normalize(TarnVec2* out, const TarnVec2* a) {
    float length = TarnVec2Length(a);
    // A zero vector has no direction; keeping it zero spares callers a NaN
    // that would spread into positions and velocities.
    if (length == 0.0f) {
        TarnVec2Zero(out);
        return;
    }
    TarnVec2Scale(out, a, 1.0f / length);
}

void TarnVec2Scale(TarnVec2* out, const TarnVec2* a, float s) {
    *out = TarnVec2{a->x * s, a->y * s};
}

void TarnVec2ScaleAdd(TarnVec2* out, const TarnVec2* a, const TarnVec2* b, float s) {
    *out = TarnVec2{a->x * s + b->x, a->y * s + b->y};
}

void TarnVec2ScaleSub(TarnVec2* out, const TarnVec2* a, const TarnVec2* b, float s) {
    *out = TarnVec2{a->x * s - b->x, a->y * s - b->y};
}

void TarnVec2Project(TarnVec2* out, const TarnVec2* a, const TarnVec2* b) {
    TarnVec2 unitB;
    TarnVec2Normalize(&unitB, b);
    TarnVec2Scale(out, &unitB, TarnVec2DotProduct(a, &unitB));
}

void TarnVec2ProjectPerp(TarnVec2* out, const TarnVec2* a, const TarnVec2* b) {
    TarnVec2 along;
    TarnVec2Project(&along, a, b);
    TarnVec2Sub(out, a, &along);
}

void TarnVec2Lerp(TarnVec2* out, const TarnVec2* a, const TarnVec2* b, float t) {
    *out = TarnVec2{a->x + (b->x - a->x) * t, a->y + (b->y - a->y) * t};
}

float TarnVec2Length(const TarnVec2* a) {
    return std::sqrt(TarnVec2SquareLength(a));
}

float TarnVec2SquareLength(const TarnVec2* a) {
    return a->x * a->x + a->y * a->y;
}

float TarnVec2Distance(const TarnVec2* a, const TarnVec2* b) {
    return std::sqrt(TarnVec2SquareDistance(a, b));
}

float TarnVec2SquareDistance(const TarnVec2* a, const TarnVec2* b) {
    TarnVec2 d;
    TarnVec2Sub(&d, a, b);
    return TarnVec2SquareLength(&d);
}

float TarnVec2DotProduct(const TarnVec2* a, const TarnVec2* b) {
    return a->x * b->x + a->y * b->y;
}

float TarnVec2CrossProductMag(const TarnVec2* a, const TarnVec2* b) {
    return a->x * b->y - a->y * b->x;
}

void TarnVec2FromAngle(TarnVec2* out, float angle) {
    *out = TarnVec2{std::cos(angle), std::sin(angle)};
}

// ---- 3x3 matrices -----------------------------------------------------------

namespace {

// Below this squared determinant a matrix is treated as singular: the square
// of 1e-5 in single precision (9.9999994e-11).
constexpr float kSingularDetSquared = 1e-5f * 1e-5f;

bool IsMatrixIndex(int index) {
    return index >= 0 && index < 3;
}

// The adjugate's element (row, col) is the cofactor of m at (col, row).
float Cofactor(const TarnMtx33* m, int row, int col) {
    int r0 = (row + 1) % 3, r1 = (row + 2) % 3;
    int c0 = (col + 1) % 3, c1 = (col + 2) % 3;
    return m->m[r0][c0] * m->m[r1][c1] - m->m[r0][c1] * m->m[r1][c0];
}

} // namespace

void TarnMtx33Identity(TarnMtx33* out) {
    TarnMtx33Scale(out, 1.0f, 1.0f);
}

void TarnMtx33Transpose(TarnMtx33* out, const TarnMtx33* m) {
    TarnMtx33 result;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            result.m[r][c] = m->m[c][r];
        }
    }
    *out = result;
}

float TarnMtx33Inverse(TarnMtx33* out, const TarnMtx33* m) {
    // Cyclic cofactors: Cofactor(0, 1) is m12 m20 - m10 m22, and so on.
    float det = m->m[0][0] * Cofactor(m, 0, 0) + m->m[0][1] * Cofactor(m, 0, 1) +
                m->m[0][2] * Cofactor(m, 0, 2);
    if (det * det < kSingularDetSquared) {
        return 0.0f;
    }
    TarnMtx33 result;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            result.m[r][c] = Cofactor(m, c, r) / det;
        }
    }
    *out = result;
    return det;
}

float TarnMtx33InvTranspose(TarnMtx33* out, const TarnMtx33* m) {
    TarnMtx33 inverse;
    float det = TarnMtx33Inverse(&inverse, m);
    if (det != 0.0f) {
        TarnMtx33Transpose(out, &inverse);
    }
    return det;
}

void TarnMtx33Concat(TarnMtx33* out, const TarnMtx33* a, const TarnMtx33* b) {
    TarnMtx33 product;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            product.m[r][c] =
                a->m[r][0] * b->m[0][c] + a->m[r][1] * b->m[1][c] + a->m[r][2] * b->m[2][c];
        }
    }
    *out = product;
}

float TarnMtx33Determinant(const TarnMtx33* m) {
    return m->m[0][0] * (m->m[1][1] * m->m[2][2] - m->m[1][2] * m->m[2][1]) -
           m->m[0][1] * (m->m[1][0] * m->m[2][2] - m->m[1][2] * m->m[2][0]) +
           m->m[0][2] * (m->m[1][0] * m->m[2][1] - m->m[1][1] * m->m[2][0]);
}

void TarnMtx33SetCol(TarnMtx33* m, int col, const TarnVec2* v) {
    if (!IsMatrixIndex(col)) {
        return;
    }
    m->m[0][col] = v->x;
    m->m[1][col] = v->y;
    m->m[2][col] = col == 2 ? 1.0f : 0.0f;
}

void TarnMtx33SetRow(TarnMtx33* m, int row, const TarnVec2* v) {
    if (!IsMatrixIndex(row)) {
        return;
    }
    m->m[row][0] = v->x;
    m->m[row][1] = v->y;
    m->m[row][2] = row == 2 ? 1.0f : 0.0f;
}

void TarnMtx33GetCol(TarnVec2* out, const TarnMtx33* m, int col) {
    if (IsMatrixIndex(col)) {
        TarnVec2Set(out, m->m[0][col], m->m[1][col]);
    }
}

void TarnMtx33GetRow(TarnVec2* out, const TarnMtx33* m, int row) {
    if (IsMatrixIndex(row)) {
        TarnVec2Set(out, m->m[row][0], m->m[row][1]);
    }
}

void TarnMtx33Trans(TarnMtx33* out, float x, float y) {
    TarnMtx33Identity(out);
    out->m[0][2] = x;
    out->m[1][2] = y;
}

void TarnMtx33TransApply(TarnMtx33* out, const TarnMtx33* m, float x, float y) {
    *out = *m;
    out->m[0][2] += x;
    out->m[1][2] += y;
}

void TarnMtx33Scale(TarnMtx33* out, float sx, float sy) {
    *out = TarnMtx33{{{sx, 0.0f, 0.0f}, {0.0f, sy, 0.0f}, {0.0f, 0.0f, 1.0f}}};
}

void TarnMtx33ScaleApply(TarnMtx33* out, const TarnMtx33* m, float sx, float sy) {
    *out = *m;
    for (int c = 0; c < 3; ++c) {
        out->m[0][c] *= sx;
        out->m[1][c] *= sy;
    }
}

void TarnMtx33Rot(TarnMtx33* out, float angle) {
    float cosA = std::cos(angle), sinA = std::sin(angle);
    *out = TarnMtx33{{{cosA, -sinA, 0.0f}, {sinA, cosA, 0.0f}, {0.0f, 0.0f, 1.0f}}};
}

void TarnMtx33RotDeg(TarnMtx33* out, float degrees) {
    // The short pi is part of how the game's rotations have always looked.
    TarnMtx33Rot(out, degrees * 3.1415f / 180.0f);
}

void TarnMtx33MultVec(TarnVec2* out, const TarnMtx33* m, const TarnVec2* v) {
    TarnMtx33MultVecSR(out, m, v);
    out->x += m->m[0][2];
    out->y += m->m[1][2];
}

void TarnMtx33MultVecArray(TarnVec2* out, const TarnMtx33* m, const TarnVec2* in,
                           unsigned int count) {
    for (unsigned int i = 0; i < count; ++i) {
        TarnMtx33MultVec(&out[i], m, &in[i]);
    }
}

void TarnMtx33MultVecSR(TarnVec2* out, const TarnMtx33* m, const TarnVec2* v) {
    TarnVec2Set(out, m->m[0][0] * v->x + m->m[0][1] * v->y, m->m[1][0] * v->x + m->m[1][1] * v->y);
}

void TarnMtx33MultVecArraySR(TarnVec2* out, const TarnMtx33* m, const TarnVec2* in,
                             unsigned int count) {
    for (unsigned int i = 0; i < count; ++i) {
        TarnMtx33MultVecSR(&out[i], m, &in[i]);
    }
}

void TarnMtx33Orthogonalize(TarnMtx33*) {}

// ---- Scalar helpers ---------------------------------------------------------

float TarnDegToRad(float x) {
    return x * 0.017453292f;
}

float TarnRadToDeg(float x) {
    return x * 57.295784f;
}

float TarnSin(float x) {
    return std::sin(x);
}

float TarnCos(float x) {
    return std::cos(x);
}

float TarnTan(float x) {
    return std::tan(x);
}

float TarnASin(float x) {
    return std::asin(x);
}

float TarnACos(float x) {
    return std::acos(x);
}

float TarnATan(float x) {
    return std::atan(x);
}

int TarnIsPowOf2(unsigned int x) {
    return x != 0 && (x & (x - 1)) == 0 ? 1 : 0;
}

unsigned int TarnNextPowOf2(unsigned int x) {
    // Smear the highest set bit into every lower bit, then step past it; an
    // exact power of two therefore moves on to the next one.
    x |= x >> 1;
    x |= x >> 2;
    x |= x >> 4;
    x |= x >> 8;
    x |= x >> 16;
    return x + 1;
}

unsigned int TarnLogBase2(unsigned int x) {
    unsigned int log = 0;
    while (x >= 2) {
        x >>= 1;
        ++log;
    }
    return log;
}

float TarnClamp(float x, float lo, float hi) {
    if (x < lo) {
        return lo;
    }
    return x > hi ? hi : x;
}

float TarnWrap(float x, float lo, float hi) {
    if (x < lo) {
        return x + (hi - lo);
    }
    return x > hi ? x - (hi - lo) : x;
}

float TarnMin(float a, float b) {
    return a < b ? a : b;
}

float TarnMax(float a, float b) {
    return b > a ? b : a;
}

bool TarnInRange(float x, float lo, float hi) {
    return lo <= x && x <= hi;
}
