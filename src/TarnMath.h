// Tarn engine: math library.
//
// 2D vectors, 3x3 matrices, scalar helpers, and the small 4D classes the
// graphics layer builds its view matrix with.
//
// Conventions: angles are radians unless a name ends in Deg. Vector and matrix
// results go to the pointer given first; inputs follow and may alias the
// result. Matrices are row-major and points are column vectors multiplied on
// the right, so a point (x, y) becomes M * (x, y, 1) and the translation sits
// in the last column. y points up; positive angles turn counter-clockwise.
#pragma once
#include "TarnDefs.h"

// ---- Types ------------------------------------------------------------------
typedef struct TarnVec2 {
    float x, y;
} TarnVec2;

// Element of row r, column c is m[r][c].
typedef struct TarnMtx33 {
    float m[3][3];
} TarnMtx33;

// ---- 2D vectors -------------------------------------------------------------
TARN_API void TarnVec2Zero(TarnVec2* out);
TARN_API void TarnVec2Set(TarnVec2* out, float x, float y);
TARN_API void TarnVec2Neg(TarnVec2* out, const TarnVec2* a);
TARN_API void TarnVec2Add(TarnVec2* out, const TarnVec2* a, const TarnVec2* b);
TARN_API void TarnVec2Sub(TarnVec2* out, const TarnVec2* a, const TarnVec2* b);
// a / |a|; the zero vector stays (0, 0).
TARN_API void TarnVec2Normalize(TarnVec2* out, const TarnVec2* a);
TARN_API void TarnVec2Scale(TarnVec2* out, const TarnVec2* a, float s);
// a * s + b.
TARN_API void TarnVec2ScaleAdd(TarnVec2* out, const TarnVec2* a, const TarnVec2* b, float s);
// a * s - b.
TARN_API void TarnVec2ScaleSub(TarnVec2* out, const TarnVec2* a, const TarnVec2* b, float s);
// The part of a along b (b need not be unit length; a zero b gives (0, 0)).
TARN_API void TarnVec2Project(TarnVec2* out, const TarnVec2* a, const TarnVec2* b);
// The part of a across b: a minus its projection on b.
TARN_API void TarnVec2ProjectPerp(TarnVec2* out, const TarnVec2* a, const TarnVec2* b);
// a + (b - a) * t, with t not clamped.
TARN_API void TarnVec2Lerp(TarnVec2* out, const TarnVec2* a, const TarnVec2* b, float t);
TARN_API float TarnVec2Length(const TarnVec2* a);
TARN_API float TarnVec2SquareLength(const TarnVec2* a);
TARN_API float TarnVec2Distance(const TarnVec2* a, const TarnVec2* b);
TARN_API float TarnVec2SquareDistance(const TarnVec2* a, const TarnVec2* b);
TARN_API float TarnVec2DotProduct(const TarnVec2* a, const TarnVec2* b);
// a.x * b.y - a.y * b.x: positive when b lies counter-clockwise from a.
TARN_API float TarnVec2CrossProductMag(const TarnVec2* a, const TarnVec2* b);
// (cos angle, sin angle).
TARN_API void TarnVec2FromAngle(TarnVec2* out, float angle);

// ---- 3x3 matrices -----------------------------------------------------------
TARN_API void TarnMtx33Identity(TarnMtx33* out);
TARN_API void TarnMtx33Transpose(TarnMtx33* out, const TarnMtx33* m);
// Writes the inverse of m and returns its determinant. A matrix whose
// determinant squared is below 1e-5 squared counts as singular: then out is
// left untouched and 0 is returned.
TARN_API float TarnMtx33Inverse(TarnMtx33* out, const TarnMtx33* m);
// Transpose of the inverse, with the same result and singular rule as
// TarnMtx33Inverse.
TARN_API float TarnMtx33InvTranspose(TarnMtx33* out, const TarnMtx33* m);
// a * b.
TARN_API void TarnMtx33Concat(TarnMtx33* out, const TarnMtx33* a, const TarnMtx33* b);
TARN_API float TarnMtx33Determinant(const TarnMtx33* m);
// Column col (0-2) := (v.x, v.y, 1 for column 2 else 0). Other indices are ignored.
TARN_API void TarnMtx33SetCol(TarnMtx33* m, int col, const TarnVec2* v);
// Row row (0-2) := (v.x, v.y, 1 for row 2 else 0). Other indices are ignored.
TARN_API void TarnMtx33SetRow(TarnMtx33* m, int row, const TarnVec2* v);
// First two elements of column col (0-2); out is untouched for other indices.
TARN_API void TarnMtx33GetCol(TarnVec2* out, const TarnMtx33* m, int col);
// First two elements of row row (0-2); out is untouched for other indices.
TARN_API void TarnMtx33GetRow(TarnVec2* out, const TarnMtx33* m, int row);
// Translation by (x, y).
TARN_API void TarnMtx33Trans(TarnMtx33* out, float x, float y);
// m followed by a translation by (x, y): x and y are added to the last column.
TARN_API void TarnMtx33TransApply(TarnMtx33* out, const TarnMtx33* m, float x, float y);
TARN_API void TarnMtx33Scale(TarnMtx33* out, float sx, float sy);
// diag(sx, sy, 1) * m: row 0 times sx, row 1 times sy.
TARN_API void TarnMtx33ScaleApply(TarnMtx33* out, const TarnMtx33* m, float sx, float sy);
// Counter-clockwise rotation by angle radians.
TARN_API void TarnMtx33Rot(TarnMtx33* out, float angle);
// Rotation by degrees, converted with pi taken as 3.1415 (so 180 is not quite
// a half turn); kept so that existing transforms look the same.
TARN_API void TarnMtx33RotDeg(TarnMtx33* out, float degrees);
// m * (v.x, v.y, 1).
TARN_API void TarnMtx33MultVec(TarnVec2* out, const TarnMtx33* m, const TarnVec2* v);
// TarnMtx33MultVec on count vectors, out[i] from in[i].
TARN_API void TarnMtx33MultVecArray(TarnVec2* out, const TarnMtx33* m, const TarnVec2* in,
                                    unsigned int count);
// Scale and rotation only: m * (v.x, v.y, 0).
TARN_API void TarnMtx33MultVecSR(TarnVec2* out, const TarnMtx33* m, const TarnVec2* v);
TARN_API void TarnMtx33MultVecArraySR(TarnVec2* out, const TarnMtx33* m, const TarnVec2* in,
                                      unsigned int count);
// Leaves m as it is: the engine's matrices are never re-orthogonalised.
TARN_API void TarnMtx33Orthogonalize(TarnMtx33* m);

// ---- Scalar helpers ---------------------------------------------------------
// x * 0.017453292 and x * 57.295784 (single-precision constants).
TARN_API float TarnDegToRad(float x);
TARN_API float TarnRadToDeg(float x);
TARN_API float TarnSin(float x);
TARN_API float TarnCos(float x);
TARN_API float TarnTan(float x);
TARN_API float TarnASin(float x);
TARN_API float TarnACos(float x);
TARN_API float TarnATan(float x);
// 1 when x is a power of two (0 is not), else 0.
TARN_API int TarnIsPowOf2(unsigned int x);
// Smallest power of two strictly greater than x: 8 gives 16, 0 gives 1, and
// 2^31 or more gives 0.
TARN_API unsigned int TarnNextPowOf2(unsigned int x);
// floor(log2 x), and 0 for x below 2.
TARN_API unsigned int TarnLogBase2(unsigned int x);
TARN_API float TarnClamp(float x, float lo, float hi);
// Moves x by one period (hi - lo) towards [lo, hi] when it lies outside; one
// step only, so values more than a period away stay outside.
TARN_API float TarnWrap(float x, float lo, float hi);
TARN_API float TarnMin(float a, float b);
TARN_API float TarnMax(float a, float b);
// lo <= x <= hi.
TARN_API bool TarnInRange(float x, float lo, float hi);

#ifdef __cplusplus
// ---- 4D vectors and points --------------------------------------------------
// Comparisons allow 1e-5 per component; Print writes "%5.3f, ..." and a newline.

class Vector4 {
  public:
    float x, y, z, w;

    Vector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    Vector4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    Vector4 operator-() const;
    Vector4 operator+(const Vector4& other) const;
    Vector4 operator-(const Vector4& other) const;
    Vector4 operator*(float s) const;
    // Multiplies by 1 / s.
    Vector4 operator/(float s) const;
    Vector4& operator+=(const Vector4& other);
    Vector4& operator-=(const Vector4& other);
    Vector4& operator*=(float s);
    Vector4& operator/=(float s);
    bool operator==(const Vector4& other) const;
    bool operator!=(const Vector4& other) const;

    // Over x, y and z only.
    float Dot(const Vector4& other) const;
    // 3D cross product of x, y, z; w of the result is 0.
    Vector4 Cross(const Vector4& other) const;
    // Over all four components.
    float Length() const;
    float LengthSq() const;
    // Divides all four components by Length(), unless it is within 1e-5 of 0.
    Vector4& Normalize();
    void Zero();
    void Print() const;
};

// A position: the same four floats, with w = 1 by default.
class Point4 {
  public:
    float x, y, z, w;

    Point4() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
    Point4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    Point4 operator-() const;
    Point4 operator+(const Vector4& offset) const;
    Point4 operator-(const Vector4& offset) const;
    Vector4 operator-(const Point4& other) const;
    Point4& operator+=(const Vector4& offset);
    Point4& operator-=(const Vector4& offset);
    bool operator==(const Point4& other) const;
    bool operator!=(const Point4& other) const;

    // Back to (0, 0, 0, 1).
    void Zero();
    void Print() const;
};

// ---- 4x4 matrices -----------------------------------------------------------
// Row-major: m[r][c] is row r, column c; vectors are columns multiplied on the
// right, so a translation sits in m[0][3], m[1][3], m[2][3].

class Matrix4 {
  public:
    float m[4][4];

    // All zero.
    Matrix4();
    // Sixteen elements in row order.
    Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13,
            float m20, float m21, float m22, float m23, float m30, float m31, float m32, float m33);

    Matrix4 operator+(const Matrix4& other) const;
    Matrix4 operator-(const Matrix4& other) const;
    Matrix4 operator*(const Matrix4& other) const;
    Vector4 operator*(const Vector4& v) const;
    Point4 operator*(const Point4& p) const;
    Matrix4 operator*(float s) const;
    // Multiplies by 1 / s.
    Matrix4 operator/(float s) const;
    Matrix4& operator+=(const Matrix4& other);
    Matrix4& operator-=(const Matrix4& other);
    // this := this * other.
    Matrix4& operator*=(const Matrix4& other);
    Matrix4& operator*=(float s);
    Matrix4& operator/=(float s);
    bool operator==(const Matrix4& other) const;
    bool operator!=(const Matrix4& other) const;

    void Zero();
    void Identity();
    // Four rows between two lines of dashes.
    void Print() const;
};

// ---- View matrix helpers (engine-internal) ----------------------------------
Matrix4 TarnMatrix4Transpose(const Matrix4& m);
// Identity with (v.x, v.y, v.z) in the last column.
Matrix4 TarnMatrix4Translation(const Vector4& v);
// Identity whose upper-left 3x3 columns are a, b and c, each first normalised
// over its four components (skipped for lengths within 1e-5 of 0).
Matrix4 TarnMatrix4Basis(Vector4 a, Vector4 b, Vector4 c);
// View matrix of a camera at eye looking at target: world to camera space,
// with the camera looking down its -z axis. up is normalised but not made
// perpendicular to the line of sight.
Matrix4 TarnLookAt(const Point4& eye, const Point4& target, const Vector4& up);
#endif
