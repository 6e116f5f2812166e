// Tests of the engine's collision and distance library: signed distances,
// overlap tests, and swept tests against segments and circles.
#include "TarnCollision.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kTolerance = 1e-5f;
// Outputs start as this so a test can tell whether a call wrote them.
constexpr TarnVec2 kUntouched = {42.0f, 42.0f};

testing::AssertionResult Vec2Near(const TarnVec2& v, float x, float y) {
    if (std::fabs(v.x - x) <= kTolerance && std::fabs(v.y - y) <= kTolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "(" << v.x << ", " << v.y << ") is not (" << x << ", " << y << ")";
}

TarnLineSegment MakeSegment(TarnVec2 start, TarnVec2 end, TarnVec2 normal) {
    return TarnLineSegment{start, end, normal, TarnVec2DotProduct(&normal, &start)};
}

// From (-1, 0) to (1, 0), facing up.
TarnLineSegment FloorSegment() {
    return MakeSegment({-1, 0}, {1, 0}, {0, 1});
}

const TarnVec2 kOrigin = {0, 0};

} // namespace

// ---- Distances --------------------------------------------------------------

TEST(Distance, PointToRectInsideOnTheBorderAndOutside) {
    TarnVec2 centre = {1, 1};
    TarnVec2 atCentre = centre, border = {6, 1}, nearRight = {5.5f, 1};
    TarnVec2 above = {1, 6}, pastCorner = {9, 7};
    // A 10 x 4 rectangle: from its centre the horizontal edges are nearer.
    EXPECT_FLOAT_EQ(TarnCalcDistPointToRect(&atCentre, &centre, 10, 4), -2.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistPointToRect(&nearRight, &centre, 10, 4), -0.5f);
    EXPECT_EQ(TarnCalcDistPointToRect(&border, &centre, 10, 4), 0.0f);
    EXPECT_TRUE(TarnTestPointToRect(&border, &centre, 10, 4));
    EXPECT_FLOAT_EQ(TarnCalcDistPointToRect(&above, &centre, 10, 4), 3.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistPointToRect(&pastCorner, &centre, 10, 4), 5.0f);
}

TEST(Distance, PointToLineSegmentUsesTheNearestPartOfTheSegment) {
    TarnVec2 a = {0, 0}, b = {10, 0};
    TarnVec2 beside = {5, 3}, pastB = {13, 4}, beforeA = {-3, -4}, onIt = {7, 0};
    EXPECT_FLOAT_EQ(TarnCalcDistPointToLineSeg(&beside, &a, &b), 3.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistPointToLineSeg(&pastB, &a, &b), 5.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistPointToLineSeg(&beforeA, &a, &b), 5.0f);
    EXPECT_EQ(TarnCalcDistPointToLineSeg(&onIt, &a, &b), 0.0f);
    TarnVec2 single = {2, 2}, p = {5, 6};
    EXPECT_FLOAT_EQ(TarnCalcDistPointToLineSeg(&p, &single, &single), 5.0f);
}

TEST(Distance, PointOnASlantedSegmentIsNeverNegativeOrNaN) {
    // Rounding makes |P - A|^2 - t^2 slightly negative for some of these.
    TarnVec2 a = {0.1f, 0.3f}, b = {7.3f, 21.9f};
    for (int i = 1; i < 50; ++i) {
        TarnVec2 p;
        TarnVec2Lerp(&p, &a, &b, i / 50.0f);
        float d = TarnCalcDistPointToLineSeg(&p, &a, &b);
        EXPECT_GE(d, 0.0f) << "step " << i;
        EXPECT_LT(d, 1e-2f) << "step " << i;
    }
}

TEST(Distance, CircleDistancesSubtractTheRadiiAndAreNegativeInside) {
    TarnVec2 k0 = {0, 0}, k1 = {3, 4}, inside = {0.5f, 0};
    EXPECT_FLOAT_EQ(TarnCalcDistPointToCircle(&k1, &k0, 1), 4.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistPointToCircle(&inside, &k0, 1), -0.5f);
    EXPECT_FLOAT_EQ(TarnCalcDistCircleToCircle(&k0, 1, &k1, 2), 2.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistCircleToCircle(&k0, 3, &k1, 4), -2.0f);
    TarnVec2 above = {0, 5};
    EXPECT_FLOAT_EQ(TarnCalcDistCircleToRect(&above, 1, &k0, 4, 4), 2.0f);
    EXPECT_FLOAT_EQ(TarnCalcDistCircleToRect(&k0, 1, &k0, 4, 4), -3.0f);
    EXPECT_EQ(TarnCalcDistPointToConvexPoly(&k0, &k1, 1), -1.0f);
}

TEST(Distance, RectToRectSeparatesAlongTheShallowerAxis) {
    // Unit squares: the normal pushes the first away from the second. Equal
    // depths keep the x axis; without overlap the normal is left alone.
    const struct {
        TarnVec2 other;
        float distance;
        TarnVec2 normal;
    } cases[] = {{{0.25f, 0}, -0.75f, {-1, 0}},  {{-0.25f, 0}, -0.75f, {1, 0}},
                 {{0.1f, 0.8f}, -0.2f, {0, -1}}, {{0.1f, -0.8f}, -0.2f, {0, 1}},
                 {{0.5f, 0.5f}, -0.5f, {-1, 0}}, {{3, 0}, 0, kUntouched},
                 {{1, 0.5f}, 0, kUntouched}};
    for (const auto& c : cases) {
        TarnVec2 normal = kUntouched;
        EXPECT_FLOAT_EQ(TarnCalcDistRectToRect(&kOrigin, 1, 1, &c.other, 1, 1, &normal),
                        c.distance);
        EXPECT_TRUE(Vec2Near(normal, c.normal.x, c.normal.y)) << c.other.x << ", " << c.other.y;
    }
    TarnVec2 diagonal = {0.5f, 0.5f}; // the normal may be left out
    EXPECT_FLOAT_EQ(TarnCalcDistRectToRect(&kOrigin, 1, 1, &diagonal, 1, 1, nullptr), -0.5f);
}

// ---- Overlap tests ----------------------------------------------------------

TEST(Overlap, TouchingCountsForPointsCirclesAndRectangles) {
    TarnVec2 onEdge = {0, 1}, justOut = {0, 1.001f};
    EXPECT_TRUE(TarnTestPointToCircle(&onEdge, &kOrigin, 1));
    EXPECT_FALSE(TarnTestPointToCircle(&justOut, &kOrigin, 1));
    TarnVec2 cornerOut = {1.001f, 0.5f};
    EXPECT_FALSE(TarnTestPointToRect(&cornerOut, &kOrigin, 2, 1));
    TarnVec2 threeAway = {3, 0};
    EXPECT_TRUE(TarnTestCircleToCircle(&kOrigin, 1, &threeAway, 2));
    EXPECT_FALSE(TarnTestCircleToCircle(&kOrigin, 1, &threeAway, 1.99f));
    TarnVec2 cornerToCorner = {2, 2}, slightlyApart = {2, 2.001f};
    EXPECT_TRUE(TarnTestRectToRect(&kOrigin, 2, 2, &cornerToCorner, 2, 2));
    EXPECT_FALSE(TarnTestRectToRect(&kOrigin, 2, 2, &slightlyApart, 2, 2));
}

TEST(Overlap, CircleToRectNeedsADistanceStrictlyBelowTheRadius) {
    TarnVec2 inside = {1, 1}, onBorder = {2, 0}, oneAway = {3, 0};
    EXPECT_TRUE(TarnTestCircleToRect(&inside, 0.01f, &kOrigin, 4, 4));
    EXPECT_TRUE(TarnTestCircleToRect(&onBorder, 0.01f, &kOrigin, 4, 4));
    EXPECT_FALSE(TarnTestCircleToRect(&oneAway, 1.0f, &kOrigin, 4, 4));
    EXPECT_TRUE(TarnTestCircleToRect(&oneAway, 1.01f, &kOrigin, 4, 4));
}

// ---- Line segments ----------------------------------------------------------

TEST(LineSegment, PointDistanceIsSignedAndACrossingIsFoundAndReflected) {
    TarnLineSegment wall = MakeSegment({0, 2}, {4, 2}, {0, 1});
    TarnVec2 above = {1, 5}, below = {1, 0};
    EXPECT_FLOAT_EQ(TarnStaticPointToStaticLineSegment(&above, &wall), 3.0f);
    EXPECT_FLOAT_EQ(TarnStaticPointToStaticLineSegment(&below, &wall), -2.0f);

    TarnLineSegment floor = FloorSegment();
    TarnVec2 ps = {0, -1}, pe = {0, 1}, contact = kUntouched, reflection = kUntouched;
    EXPECT_FLOAT_EQ(TarnAnimatedPointToStaticLineSegment(&ps, &pe, &floor, &contact), 0.5f);
    EXPECT_TRUE(Vec2Near(contact, 0, 0));
    contact = kUntouched;
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedPointOnStaticLineSegment(&ps, &pe, &floor, &contact, &reflection), 0.5f);
    EXPECT_TRUE(Vec2Near(contact, 0, 0));
    EXPECT_TRUE(Vec2Near(reflection, 0, -1));
    // A slanted crossing keeps the motion along the segment.
    TarnVec2 from = {-1, -1}, to = {1, 1};
    TarnReflectAnimatedPointOnStaticLineSegment(&from, &to, &floor, &contact, &reflection);
    EXPECT_TRUE(Vec2Near(reflection, 1, -1));
    // Motion ending on the line touches at time 1.
    TarnVec2 onLine = {0.5f, 0}, under = {0.5f, -2};
    EXPECT_FLOAT_EQ(TarnAnimatedPointToStaticLineSegment(&under, &onLine, &floor, &contact), 1.0f);
    EXPECT_TRUE(Vec2Near(contact, 0.5f, 0));
}

TEST(LineSegment, PointMissesLeaveTheOutputsAlone) {
    TarnLineSegment floor = FloorSegment();
    const TarnVec2 motions[][2] = {
        {{-2, 0.5f}, {2, 0.5f}}, // parallel to the segment
        {{-2, 0}, {2, 0}},       // along the line itself
        {{0, 1}, {0, 3}},        // staying on one side
        {{5, -1}, {5, 1}},       // crossing the line beyond the segment's end
    };
    for (const auto& motion : motions) {
        TarnVec2 contact = kUntouched, reflection = kUntouched;
        EXPECT_EQ(TarnReflectAnimatedPointOnStaticLineSegment(&motion[0], &motion[1], &floor,
                                                              &contact, &reflection),
                  -1.0f);
        EXPECT_TRUE(Vec2Near(contact, 42, 42));
        EXPECT_TRUE(Vec2Near(reflection, 42, 42));
    }
}

TEST(LineSegment, CircleTouchesFromTheSideItStartsOn) {
    TarnLineSegment floor = FloorSegment();
    TarnVec2 below = {0, -3}, up = {0, 1}, contact, reflection;
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedCircleOnStaticLineSegment(&below, &up, 1, &floor, &contact, &reflection),
        0.5f);
    EXPECT_TRUE(Vec2Near(contact, 0, -1));
    EXPECT_TRUE(Vec2Near(reflection, 0, -2));
    TarnVec2 above = {0, 3}, down = {0, -1};
    EXPECT_FLOAT_EQ(TarnReflectAnimatedCircleOnStaticLineSegment(&above, &down, 1, &floor, &contact,
                                                                 &reflection),
                    0.5f);
    EXPECT_TRUE(Vec2Near(contact, 0, 1));
    EXPECT_TRUE(Vec2Near(reflection, 0, 2));
    // The outputs are optional.
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedCircleOnStaticLineSegment(&above, &down, 1, &floor, nullptr, nullptr),
        0.5f);
}

TEST(LineSegment, CircleMissesWhenItsCentreIsOutsideTheSpanOrItStaysClear) {
    TarnLineSegment floor = FloorSegment();
    TarnVec2 contact = kUntouched;
    // The edge grazes the end point, but the centre passes beside the segment.
    TarnVec2 grazeFrom = {1.5f, -3}, grazeTo = {1.5f, 1};
    EXPECT_EQ(TarnAnimatedCircleToStaticLineSegment(&grazeFrom, &grazeTo, 1, &floor, &contact),
              -1.0f);
    TarnVec2 clearFrom = {0, 2}, clearTo = {0, 1.5f};
    EXPECT_EQ(TarnAnimatedCircleToStaticLineSegment(&clearFrom, &clearTo, 1, &floor, &contact),
              -1.0f);
    EXPECT_TRUE(Vec2Near(contact, 42, 42));
}

TEST(LineSegment, CircleOverlappingAtTheStartGetsANegativeTimeAndNoReflection) {
    TarnLineSegment floor = FloorSegment();
    TarnVec2 ps = {0, -0.5f}, pe = {0, 1.5f}, contact = kUntouched, reflection = kUntouched;
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedCircleOnStaticLineSegment(&ps, &pe, 1, &floor, &contact, &reflection),
        -0.25f);
    EXPECT_TRUE(Vec2Near(contact, 0, -1));
    EXPECT_TRUE(Vec2Near(reflection, 42, 42));
}

// ---- Circles ----------------------------------------------------------------

TEST(SweptCircle, PointMeetsTheCircleHeadOnAndBouncesBack) {
    TarnVec2 ps = {-3, 0}, pe = {3, 0}, contact = kUntouched, reflection;
    EXPECT_FLOAT_EQ(TarnAnimatedPointToStaticCircle(&ps, &pe, &kOrigin, 1, &contact), 1.0f / 3.0f);
    EXPECT_TRUE(Vec2Near(contact, -1, 0));
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 1, &contact, &reflection),
        1.0f / 3.0f);
    EXPECT_TRUE(Vec2Near(reflection, -2, 0));
}

TEST(SweptCircle, MovingCircleUsesTheSummedRadius) {
    TarnVec2 ps = {-5, 0}, pe = {5, 0}, contact, reflection;
    EXPECT_FLOAT_EQ(TarnAnimatedCircleToStaticCircle(&ps, &pe, 1, &kOrigin, 2, &contact), 0.2f);
    EXPECT_TRUE(Vec2Near(contact, -3, 0));
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedCircleOnStaticCircle(&ps, &pe, 1, &kOrigin, 2, &contact, &reflection),
        0.2f);
    EXPECT_TRUE(Vec2Near(reflection, -2, 0));
}

TEST(SweptCircle, ZeroRadiusHitSendsThePointBackTheWayItCame) {
    TarnVec2 ps = {-3, 0}, pe = {3, 0}, contact, reflection;
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 0, &contact, &reflection), 0.5f);
    EXPECT_TRUE(Vec2Near(contact, 0, 0));
    EXPECT_TRUE(Vec2Near(reflection, -3, 0));
}

TEST(SweptCircle, ObliqueHitMirrorsThePathAboutTheNormal) {
    TarnVec2 ps = {-3, 0.8f}, pe = {3, 0.8f}, contact, reflection;
    EXPECT_NEAR(
        TarnReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 1, &contact, &reflection), 0.4f,
        kTolerance);
    EXPECT_TRUE(Vec2Near(contact, -0.6f, 0.8f));
    // As long as the path from the start to the contact, pointing away.
    EXPECT_TRUE(Vec2Near(reflection, 0.672f, 2.304f));
    EXPECT_NEAR(TarnVec2Length(&reflection), 2.4f, kTolerance);
}

TEST(SweptCircle, MissesLeaveTheOutputsAlone) {
    const TarnVec2 motions[][2] = {
        {{-3, 0}, {-6, 0}}, // moving away
        {{-3, 2}, {3, 2}},  // passing by
        {{-3, 0}, {-2, 0}}, // stopping short
        {{-3, 0}, {-3, 0}}, // not moving
    };
    for (const auto& motion : motions) {
        TarnVec2 contact = kUntouched, reflection = kUntouched;
        EXPECT_EQ(TarnReflectAnimatedPointOnStaticCircle(&motion[0], &motion[1], &kOrigin, 1,
                                                         &contact, &reflection),
                  -1.0f);
        EXPECT_TRUE(Vec2Near(contact, 42, 42));
        EXPECT_TRUE(Vec2Near(reflection, 42, 42));
    }
}

TEST(SweptCircle, PointStartingInsideGetsANegativeTimeAndNoReflection) {
    // Inside and moving away from the centre: the contact is behind the start.
    TarnVec2 ps = {0.5f, 0}, pe = {3, 0}, contact = kUntouched, reflection = kUntouched;
    EXPECT_FLOAT_EQ(
        TarnReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 1, &contact, &reflection),
        -0.6f);
    EXPECT_TRUE(Vec2Near(contact, -1, 0));
    EXPECT_TRUE(Vec2Near(reflection, 42, 42));
}
