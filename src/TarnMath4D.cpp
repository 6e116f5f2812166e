// Tarn engine: the 4D vector, point and matrix classes, and the view matrix
// the graphics layer builds from a camera position.
#include "TarnMath.h"

#include <cmath>
#include <cstdio>

namespace {

// Two components count as equal when they differ by less than this.
constexpr float kEqualityTolerance = 1e-5f;
// Vectors shorter than this are left as they are by Normalize.
constexpr float kNormalizeMinLength = 1e-5f;

bool NearlyEqual(float a, float b) {
    return std::fabs(a - b) < kEqualityTolerance;
}

bool NearlyEqual4(float ax, float ay, float az, float aw, float bx, float by, float bz, float bw) {
    return NearlyEqual(ax, bx) && NearlyEqual(ay, by) && NearlyEqual(az, bz) && NearlyEqual(aw, bw);
}

void PrintComponents(float x, float y, float z, float w) {
    std::printf("%5.3f, %5.3f, %5.3f, %5.3f\n", x, y, z, w);
}

// result[r] = row r of m dotted with in, for column vectors of four floats.
void MultiplyColumn(const Matrix4& m, const float in[4], float result[4]) {
    for (int r = 0; r < 4; ++r) {
        result[r] = m.m[r][0] * in[0] + m.m[r][1] * in[1] + m.m[r][2] * in[2] + m.m[r][3] * in[3];
    }
}

} // namespace

// ---- Vector4 ----------------------------------------------------------------

Vector4 Vector4::operator-() const {
    return Vector4(-x, -y, -z, -w);
}

Vector4 Vector4::operator+(const Vector4& other) const {
    return Vector4(x + other.x, y + other.y, z + other.z, w + other.w);
}

Vector4 Vector4::operator-(const Vector4& other) const {
    return Vector4(x - other.x, y - other.y, z - other.z, w - other.w);
}

Vector4 Vector4::operator*(float s) const {
    return Vector4(x * s, y * s, z * s, w * s);
}

Vector4 Vector4::operator/(float s) const {
    return *this * (1.0f / s);
}

Vector4& Vector4::operator+=(const Vector4& other) {
    return *this = *this + other;
}

Vector4& Vector4::operator-=(const Vector4& other) {
    return *this = *this - other;
}

Vector4& Vector4::operator*=(float s) {
    return *this = *this * s;
}

Vector4& Vector4::operator/=(float s) {
    return *this = *this / s;
}

bool Vector4::operator==(const Vector4& other) const {
    return NearlyEqual4(x, y, z, w, other.x, other.y, other.z, other.w);
}

bool Vector4::operator!=(const Vector4& other) const {
    return !(*this == other);
}

float Vector4::Dot(const Vector4& other) const {
    return x * other.x + y * other.y + z * other.z;
}

Vector4 Vector4::Cross(const Vector4& other) const {
    return Vector4(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x,
                   0.0f);
}

float Vector4::Length() const {
    return std::sqrt(LengthSq());
}

float Vector4::LengthSq() const {
    return x * x + y * y + z * z + w * w;
}

Vector4& Vector4::Normalize() {
    float length = Length();
    if (std::fabs(length) > kNormalizeMinLength) {
        *this /= length;
    }
    return *this;
}

void Vector4::Zero() {
    *this = Vector4();
}

void Vector4::Print() const {
    PrintComponents(x, y, z, w);
}

// ---- Point4 -----------------------------------------------------------------

Point4 Point4::operator-() const {
    return Point4(-x, -y, -z, -w);
}

Point4 Point4::operator+(const Vector4& offset) const {
    return Point4(x + offset.x, y + offset.y, z + offset.z, w + offset.w);
}

Point4 Point4::operator-(const Vector4& offset) const {
    return *this + -offset;
}

Vector4 Point4::operator-(const Point4& other) const {
    return Vector4(x - other.x, y - other.y, z - other.z, w - other.w);
}

Point4& Point4::operator+=(const Vector4& offset) {
    return *this = *this + offset;
}

Point4& Point4::operator-=(const Vector4& offset) {
    return *this = *this - offset;
}

bool Point4::operator==(const Point4& other) const {
    return NearlyEqual4(x, y, z, w, other.x, other.y, other.z, other.w);
}

bool Point4::operator!=(const Point4& other) const {
    return !(*this == other);
}

void Point4::Zero() {
    *this = Point4();
}

void Point4::Print() const {
    PrintComponents(x, y, z, w);
}

// ---- Matrix4 ----------------------------------------------------------------

Matrix4::Matrix4() {
    Zero();
}

Matrix4::Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                 float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                 float m32, float m33)
    : m{{m00, m01, m02, m03}, {m10, m11, m12, m13}, {m20, m21, m22, m23}, {m30, m31, m32, m33}} {}

Matrix4 Matrix4::operator+(const Matrix4& other) const {
    Matrix4 sum;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            sum.m[r][c] = m[r][c] + other.m[r][c];
        }
    }
    return sum;
}

Matrix4 Matrix4::operator-(const Matrix4& other) const {
    return *this + other * -1.0f;
}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
    Matrix4 product;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            for (int k = 0; k < 4; ++k) {
                product.m[r][c] += m[r][k] * other.m[k][c];
            }
        }
    }
    return product;
}

Vector4 Matrix4::operator*(const Vector4& v) const {
    const float in[4] = {v.x, v.y, v.z, v.w};
    float out[4];
    MultiplyColumn(*this, in, out);
    return Vector4(out[0], out[1], out[2], out[3]);
}

Point4 Matrix4::operator*(const Point4& p) const {
    const float in[4] = {p.x, p.y, p.z, p.w};
    float out[4];
    MultiplyColumn(*this, in, out);
    return Point4(out[0], out[1], out[2], out[3]);
}

Matrix4 Matrix4::operator*(float s) const {
    Matrix4 scaled = *this;
    for (auto& row : scaled.m) {
        for (float& element : row) {
            element *= s;
        }
    }
    return scaled;
}

Matrix4 Matrix4::operator/(float s) const {
    return *this * (1.0f / s);
}

Matrix4& Matrix4::operator+=(const Matrix4& other) {
    return *this = *this + other;
}

Matrix4& Matrix4::operator-=(const Matrix4& other) {
    return *this = *this - other;
}

Matrix4& Matrix4::operator*=(const Matrix4& other) {
    return *this = *this * other;
}

Matrix4& Matrix4::operator*=(float s) {
    return *this = *this * s;
}

Matrix4& Matrix4::operator/=(float s) {
    return *this = *this / s;
}

bool Matrix4::operator==(const Matrix4& other) const {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (!NearlyEqual(m[r][c], other.m[r][c])) {
                return false;
            }
        }
    }
    return true;
}

bool Matrix4::operator!=(const Matrix4& other) const {
    return !(*this == other);
}

void Matrix4::Zero() {
    for (auto& row : m) {
        for (float& element : row) {
            element = 0.0f;
        }
    }
}

void Matrix4::Identity() {
    Zero();
    for (int i = 0; i < 4; ++i) {
        m[i][i] = 1.0f;
    }
}

void Matrix4::Print() const {
    std::printf("--------------------------\n");
    for (const auto& row : m) {
        std::printf("%5.3f %5.3f %5.3f %5.3f\n", row[0], row[1], row[2], row[3]);
    }
    std::printf("--------------------------\n");
}

// ---- View matrix helpers ----------------------------------------------------

Matrix4 TarnMatrix4Transpose(const Matrix4& m) {
    Matrix4 transposed;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            transposed.m[r][c] = m.m[c][r];
        }
    }
    return transposed;
}

Matrix4 TarnMatrix4Translation(const Vector4& v) {
    Matrix4 translation;
    translation.Identity();
    translation.m[0][3] = v.x;
    translation.m[1][3] = v.y;
    translation.m[2][3] = v.z;
    return translation;
}

Matrix4 TarnMatrix4Basis(Vector4 a, Vector4 b, Vector4 c) {
    a.Normalize();
    b.Normalize();
    c.Normalize();
    const Vector4* columns[3] = {&a, &b, &c};
    Matrix4 basis;
    basis.Identity();
    for (int col = 0; col < 3; ++col) {
        basis.m[0][col] = columns[col]->x;
        basis.m[1][col] = columns[col]->y;
        basis.m[2][col] = columns[col]->z;
    }
    return basis;
}

Matrix4 TarnLookAt(const Point4& eye, const Point4& target, const Vector4& up) {
    Vector4 forward = eye - target;
    forward.Normalize();
    Vector4 unitUp = up;
    unitUp.Normalize();
    Vector4 right = unitUp.Cross(forward);
    right.Normalize();
    // The basis is orthonormal when up is perpendicular to the line of sight,
    // so its transpose is the rotation from world into camera axes. It acts
    // after moving the eye to the origin (the offset from eye to origin).
    Matrix4 rotation = TarnMatrix4Transpose(TarnMatrix4Basis(right, unitUp, forward));
    return rotation * TarnMatrix4Translation(Point4() - eye);
}
