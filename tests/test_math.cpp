// Tests of the engine's math library: 2D vectors, 3x3 matrices, scalar
// helpers, the 4D classes and the view matrix.
#include "TarnMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kTolerance = 1e-5f;

testing::AssertionResult Vec2Near(const TarnVec2& v, float x, float y) {
    if (std::fabs(v.x - x) <= kTolerance && std::fabs(v.y - y) <= kTolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "(" << v.x << ", " << v.y << ") is not (" << x << ", " << y << ")";
}

testing::AssertionResult Mtx33Near(const TarnMtx33& a, const TarnMtx33& b) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (std::fabs(a.m[r][c] - b.m[r][c]) > kTolerance) {
                return testing::AssertionFailure() << "element [" << r << "][" << c << "] is "
                                                   << a.m[r][c] << ", expected " << b.m[r][c];
            }
        }
    }
    return testing::AssertionSuccess();
}

bool SameBits(const TarnMtx33& a, const TarnMtx33& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A matrix whose every element differs, to see which ones a call touched.
TarnMtx33 Numbered() {
    return TarnMtx33{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
}

// Scale (2, 3), then a quarter turn, then a move by (10, 20).
TarnMtx33 ObjectTransform() {
    TarnMtx33 scale, rotation, translation, result;
    TarnMtx33Scale(&scale, 2.0f, 3.0f);
    TarnMtx33Rot(&rotation, kPi / 2.0f);
    TarnMtx33Trans(&translation, 10.0f, 20.0f);
    TarnMtx33Concat(&result, &rotation, &scale);
    TarnMtx33Concat(&result, &translation, &result);
    return result;
}

uint32_t FloatBits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

} // namespace

// ---- 2D vectors -------------------------------------------------------------

TEST(Vec2, CombiningFunctionsKeepTheirOperandOrderAndMayWriteAnInput) {
    TarnVec2 a = {1, 2}, b = {10, 20}, out;
    TarnVec2ScaleSub(&out, &a, &b, 3.0f);
    EXPECT_TRUE(Vec2Near(out, -7, -14));
    // Lerp is not clamped: t = 2 runs past b.
    TarnVec2Lerp(&out, &a, &b, 2.0f);
    EXPECT_TRUE(Vec2Near(out, 19, 38));
    TarnVec2 v = {3, 4}, w = {1, 1};
    TarnVec2Normalize(&v, &v);
    EXPECT_TRUE(Vec2Near(v, 0.6f, 0.8f));
    TarnVec2Sub(&w, &v, &w);
    EXPECT_TRUE(Vec2Near(w, -0.4f, -0.2f));
}

TEST(Vec2, NormalizingTheZeroVectorGivesZeroNotNaN) {
    TarnVec2 zero = {0, 0}, out = {5, 5};
    TarnVec2Normalize(&out, &zero);
    EXPECT_TRUE(Vec2Near(out, 0, 0));
}

TEST(Vec2, ProjectionsDependOnlyOnTheDirectionOfB) {
    TarnVec2 a = {3, 4}, longX = {10, 0}, downY = {0, -5}, out;
    TarnVec2Project(&out, &a, &longX);
    EXPECT_TRUE(Vec2Near(out, 3, 0));
    TarnVec2ProjectPerp(&out, &a, &longX);
    EXPECT_TRUE(Vec2Near(out, 0, 4));
    TarnVec2Project(&out, &a, &downY);
    EXPECT_TRUE(Vec2Near(out, 0, 4));
    TarnVec2 zero = {0, 0};
    TarnVec2ProjectPerp(&out, &a, &zero);
    EXPECT_TRUE(Vec2Near(out, 3, 4));
    TarnVec2Project(&longX, &a, &longX); // into its own direction operand
    EXPECT_TRUE(Vec2Near(longX, 3, 0));
}

TEST(Vec2, CrossProductIsPositiveCounterClockwise) {
    TarnVec2 x = {1, 0}, y = {0, 1};
    EXPECT_FLOAT_EQ(TarnVec2CrossProductMag(&x, &y), 1.0f);
    EXPECT_FLOAT_EQ(TarnVec2CrossProductMag(&y, &x), -1.0f);
}

// ---- 3x3 matrices -----------------------------------------------------------

TEST(Mtx33, ConcatenatedObjectTransformScalesRotatesThenMoves) {
    TarnMtx33 m = ObjectTransform();
    TarnVec2 corner = {1, 1}, out;
    TarnMtx33MultVec(&out, &m, &corner);
    // (1, 1) -> scaled (2, 3) -> turned (-3, 2) -> moved (7, 22).
    EXPECT_TRUE(Vec2Near(out, 7, 22));
    TarnMtx33MultVecSR(&out, &m, &corner);
    EXPECT_TRUE(Vec2Near(out, -3, 2));
    // The array forms, the second in place.
    TarnVec2 points[2] = {{1, 0}, {0, 1}}, moved[2];
    TarnMtx33MultVecArray(moved, &m, points, 2);
    EXPECT_TRUE(Vec2Near(moved[0], 10, 22));
    EXPECT_TRUE(Vec2Near(moved[1], 7, 20));
    TarnMtx33MultVecArraySR(points, &m, points, 2);
    EXPECT_TRUE(Vec2Near(points[1], -3, 0));
}

TEST(Mtx33, ConcatMayOverwriteEitherInput) {
    TarnMtx33 a = Numbered(), b, expected;
    TarnMtx33Rot(&b, 0.3f);
    TarnMtx33Concat(&expected, &a, &b);
    TarnMtx33 left = a, right = b;
    TarnMtx33Concat(&left, &left, &b);
    TarnMtx33Concat(&right, &a, &right);
    EXPECT_TRUE(SameBits(left, expected));
    EXPECT_TRUE(SameBits(right, expected));
    TarnMtx33 self = a, square;
    TarnMtx33Concat(&square, &a, &a);
    TarnMtx33Concat(&self, &self, &self);
    EXPECT_TRUE(SameBits(self, square));
}

TEST(Mtx33, RotDegTakesPiAs3Point1415) {
    TarnMtx33 r;
    TarnMtx33RotDeg(&r, 180.0f);
    EXPECT_NEAR(r.m[0][0], -1.0f, 1e-6f);
    EXPECT_NEAR(r.m[1][0], 0.0000927f, 1e-6f);
    TarnMtx33 exact;
    TarnMtx33Rot(&exact, kPi);
    EXPECT_GT(std::fabs(r.m[1][0] - exact.m[1][0]), 9e-5f);
    TarnMtx33RotDeg(&r, 90.0f);
    EXPECT_NEAR(r.m[0][0], 0.0000463f, 1e-6f);
}

TEST(Mtx33, DeterminantAndInverse) {
    TarnMtx33 m = {{{2, -3, 1}, {2, 0, -1}, {1, 4, 5}}};
    EXPECT_FLOAT_EQ(TarnMtx33Determinant(&m), 49.0f);
    TarnMtx33 inverse, product, identity;
    EXPECT_FLOAT_EQ(TarnMtx33Inverse(&inverse, &m), 49.0f);
    TarnMtx33Concat(&product, &inverse, &m);
    TarnMtx33Identity(&identity);
    EXPECT_TRUE(Mtx33Near(product, identity));
    // In place, and on a full object transform (det = 2 * 3).
    TarnMtx33 object = ObjectTransform(), original = object;
    EXPECT_FLOAT_EQ(TarnMtx33Inverse(&object, &object), 6.0f);
    TarnMtx33Concat(&product, &original, &object);
    EXPECT_TRUE(Mtx33Near(product, identity));
}

TEST(Mtx33, InverseOfANearlySingularMatrixLeavesTheResultAlone) {
    TarnMtx33 tiny, out = Numbered();
    TarnMtx33Scale(&tiny, 1e-6f, 1.0f);
    EXPECT_EQ(TarnMtx33Inverse(&out, &tiny), 0.0f);
    EXPECT_TRUE(SameBits(out, Numbered()));
    EXPECT_EQ(TarnMtx33InvTranspose(&out, &tiny), 0.0f);
    EXPECT_TRUE(SameBits(out, Numbered()));
    // The limit is det * det < 1e-5 squared: 1e-5 itself still inverts.
    TarnMtx33Scale(&tiny, 1e-5f, 1.0f);
    EXPECT_NE(TarnMtx33Inverse(&out, &tiny), 0.0f);
    EXPECT_FLOAT_EQ(out.m[0][0], 1e5f);
    TarnMtx33Scale(&tiny, 0.99e-5f, 1.0f);
    EXPECT_EQ(TarnMtx33Inverse(&out, &tiny), 0.0f);
}

TEST(Mtx33, InvTransposeIsTheTransposedInverse) {
    TarnMtx33 m = ObjectTransform(), expected, out;
    TarnMtx33Inverse(&expected, &m);
    TarnMtx33Transpose(&expected, &expected); // in place
    EXPECT_FLOAT_EQ(TarnMtx33InvTranspose(&out, &m), 6.0f);
    EXPECT_TRUE(Mtx33Near(out, expected));
    TarnMtx33 numbered = Numbered();
    TarnMtx33Transpose(&numbered, &numbered);
    EXPECT_TRUE(Mtx33Near(numbered, TarnMtx33{{{1, 4, 7}, {2, 5, 8}, {3, 6, 9}}}));
}

TEST(Mtx33, SetAndGetRowsAndColumnsIgnoringIndicesOutsideTheMatrix) {
    TarnMtx33 m = Numbered();
    TarnVec2 v = {-1, -2}, out;
    TarnMtx33SetCol(&m, 2, &v);
    TarnMtx33SetRow(&m, 1, &v);
    EXPECT_TRUE(Mtx33Near(m, TarnMtx33{{{1, 2, -1}, {-1, -2, 0}, {7, 8, 1}}}));
    m = Numbered();
    TarnMtx33GetCol(&out, &m, 1);
    EXPECT_TRUE(Vec2Near(out, 2, 5));
    out = {42, 42};
    TarnMtx33SetCol(&m, 3, &v);
    TarnMtx33SetRow(&m, -1, &v);
    EXPECT_TRUE(SameBits(m, Numbered()));
    TarnMtx33GetCol(&out, &m, -1);
    TarnMtx33GetRow(&out, &m, 3);
    EXPECT_TRUE(Vec2Near(out, 42, 42));
}

TEST(Mtx33, ApplyVariantsActAfterTheMatrix) {
    TarnMtx33 m = ObjectTransform(), step, expected, out;
    TarnMtx33Trans(&step, -4.0f, 5.0f);
    TarnMtx33Concat(&expected, &step, &m);
    TarnMtx33TransApply(&out, &m, -4.0f, 5.0f);
    EXPECT_TRUE(Mtx33Near(out, expected));
    // Scaling applies to whole rows, the translation column included.
    TarnMtx33 numbered = Numbered();
    TarnMtx33ScaleApply(&numbered, &numbered, 2.0f, -1.0f);
    EXPECT_TRUE(Mtx33Near(numbered, TarnMtx33{{{2, 4, 6}, {-4, -5, -6}, {7, 8, 9}}}));
}

// ---- Scalar helpers ---------------------------------------------------------

TEST(ScalarMath, NextPowOf2IsStrictlyGreater) {
    const unsigned int cases[][2] = {
        {0, 1}, {5, 8}, {8, 16}, {0x7FFFFFFF, 0x80000000u}, {0x80000000u, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(TarnNextPowOf2(c[0]), c[1]) << "x = " << c[0];
    }
    EXPECT_EQ(TarnIsPowOf2(0), 0);
    EXPECT_EQ(TarnIsPowOf2(0x80000000u), 1);
    EXPECT_EQ(TarnLogBase2(0), 0u);
    EXPECT_EQ(TarnLogBase2(1023), 9u);
    EXPECT_EQ(TarnLogBase2(0xFFFFFFFFu), 31u);
}

TEST(ScalarMath, WrapMovesOnePeriodOnly) {
    EXPECT_FLOAT_EQ(TarnWrap(-0.5f, 0, 1), 0.5f);
    EXPECT_FLOAT_EQ(TarnWrap(2.5f, 0, 1), 1.5f);
    EXPECT_FLOAT_EQ(TarnWrap(1.0f, 0, 1), 1.0f);
    EXPECT_FLOAT_EQ(TarnWrap(370.0f, 0, 360), 10.0f);
    EXPECT_FLOAT_EQ(TarnWrap(-400.0f, 0, 360), -40.0f);
}

TEST(ScalarMath, ClampAndInclusiveRangeAndSinglePrecisionAngles) {
    EXPECT_FLOAT_EQ(TarnClamp(-5, 0, 1), 0.0f);
    EXPECT_TRUE(TarnInRange(1, 0, 1));
    EXPECT_FALSE(TarnInRange(1.0001f, 0, 1));
    EXPECT_EQ(FloatBits(TarnDegToRad(1.0f)), 0x3C8EFA35u);
    EXPECT_EQ(FloatBits(TarnRadToDeg(1.0f)), 0x42652EE2u);
}

// ---- Vector4 and Point4 -----------------------------------------------------

TEST(Vector4, EqualityAllowsDifferencesBelow1eMinus5) {
    EXPECT_TRUE(Vector4(1, 2, 3, 4) == Vector4(1.000001f, 2, 3, 4));
    EXPECT_FALSE(Vector4(1, 2, 3, 4) == Vector4(1.0001f, 2, 3, 4));
    EXPECT_TRUE(Point4(1, 2, 3, 4) == Point4(1, 2, 3.000001f, 4));
    EXPECT_TRUE(Point4(1, 2, 3, 4) != Point4(1, 2, 3, 4.0001f));
    Matrix4 a(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1), b = a;
    b.m[3][0] += 1e-6f;
    EXPECT_TRUE(b == a);
    b.m[3][0] += 1e-4f;
    EXPECT_TRUE(b != a);
}

TEST(Vector4, DotAndCrossSkipWButLengthAndNormalizeIncludeIt) {
    Vector4 ones(1, 1, 1, 1);
    EXPECT_FLOAT_EQ(ones.Dot(ones), 3.0f);
    EXPECT_FLOAT_EQ(ones.LengthSq(), 4.0f);
    EXPECT_TRUE(Vector4(1, 0, 0, 7).Cross(Vector4(0, 1, 0, 9)) == Vector4(0, 0, 1, 0));
    EXPECT_TRUE(Vector4(0, 1, 0, 0).Cross(Vector4(1, 0, 0, 0)) == Vector4(0, 0, -1, 0));
    EXPECT_TRUE(ones.Normalize() == Vector4(0.5f, 0.5f, 0.5f, 0.5f));
    Vector4 tiny(5e-6f, 0, 0, 0);
    tiny.Normalize();
    EXPECT_FLOAT_EQ(tiny.x, 5e-6f);
    Vector4 zero;
    zero.Normalize();
    EXPECT_TRUE(zero == Vector4());
}

TEST(Point4, IsTheOriginWithWOneAndCombinesWithVectors) {
    Point4 p(5, 6, 7, 8);
    p.Zero();
    EXPECT_TRUE(p == Point4(0, 0, 0, 1));
    EXPECT_TRUE(Point4() == p);
    Point4 q(4, 6, 8, 1);
    Vector4 offset = q - Point4(1, 2, 3, 1);
    EXPECT_TRUE(offset == Vector4(3, 4, 5, 0));
    EXPECT_TRUE(Point4(1, 2, 3, 1) + offset == q);
}

// ---- Matrix4 ----------------------------------------------------------------

namespace {

Matrix4 Scale4(float s) {
    return Matrix4(s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1);
}

} // namespace

TEST(Matrix4, DefaultIsZeroAndIdentityIsDiagonal) {
    Matrix4 m;
    EXPECT_TRUE(m == Matrix4(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    m.Identity();
    EXPECT_TRUE(m == Scale4(1));
}

TEST(Matrix4, ProductsApplyTheRightFactorFirst) {
    Matrix4 move = TarnMatrix4Translation(Vector4(1, 2, 3, 0)), grow = Scale4(2);
    Point4 p(1, 1, 1, 1);
    EXPECT_TRUE((move * grow) * p == Point4(3, 4, 5, 1));
    EXPECT_TRUE((grow * move) * p == Point4(4, 6, 8, 1));
    Matrix4 compound = move;
    compound *= grow;
    EXPECT_TRUE(compound == move * grow);
    // Translation ignores the offset's w, moves points but not vectors.
    move = TarnMatrix4Translation(Vector4(1, 2, 3, 99));
    EXPECT_FLOAT_EQ(move.m[3][3], 1.0f);
    EXPECT_TRUE(move * Point4() == Point4(1, 2, 3, 1));
    EXPECT_TRUE(move * Vector4(1, 0, 0, 0) == Vector4(1, 0, 0, 0));
}

// ---- View matrix ------------------------------------------------------------

TEST(LookAt, TheGamesCameraGivesAPlainTranslation) {
    Matrix4 view = TarnLookAt(Point4(120, -35, 60, 1), Point4(120, -35, 0, 1), Vector4(0, 1, 0, 0));
    Matrix4 expected(1, 0, 0, -120, 0, 1, 0, 35, 0, 0, 1, -60, 0, 0, 0, 1);
    EXPECT_TRUE(view == expected);
}

TEST(LookAt, MovesTheEyeToTheOriginAndLooksDownMinusZ) {
    Point4 eye(3, 0, 4, 1), target;
    Matrix4 view = TarnLookAt(eye, target, Vector4(0, 1, 0, 0));
    EXPECT_TRUE(view * eye == Point4(0, 0, 0, 1));
    EXPECT_TRUE(view * target == Point4(0, 0, -5, 1));
    // Camera right is world (0.8, 0, -0.6), camera up stays world up.
    EXPECT_TRUE(view * Vector4(0.8f, 0, -0.6f, 0) == Vector4(1, 0, 0, 0));
    EXPECT_TRUE(view * Vector4(0, 1, 0, 0) == Vector4(0, 1, 0, 0));
}

TEST(LookAt, UpIsNormalisedButNotMadePerpendicular) {
    Matrix4 view = TarnLookAt(Point4(0, 0, 10, 1), Point4(), Vector4(0, 2, 2, 0));
    const float half = std::sqrt(0.5f);
    EXPECT_NEAR(view.m[1][0], 0.0f, 1e-6f);
    EXPECT_NEAR(view.m[1][1], half, 1e-6f);
    EXPECT_NEAR(view.m[1][2], half, 1e-6f);
}

TEST(LookAt, BasisNormalisesColumnsAndKeepsZeroOnes) {
    Matrix4 basis = TarnMatrix4Basis(Vector4(0, 3, 0, 4), Vector4(2, 0, 0, 0), Vector4());
    Matrix4 expected(0, 1, 0, 0, 0.6f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_TRUE(basis == expected);
}
