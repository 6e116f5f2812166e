// Tarn engine: distances, overlap tests and swept tests between points,
// circles, axis-aligned rectangles and line segments.
#include "TarnCollision.h"

#include <cmath>

namespace {

// Result of "no contact" for every swept query.
constexpr float kNoContact = -1.0f;
// Motions this close to parallel with a segment's line never cross it.
constexpr float kParallelLimit = 1e-5f;
// Segments shorter than this are treated as their first end point.
constexpr float kDegenerateSegmentLength = 1e-5f;

// A swept query's outcome before it is reported to the caller.
struct SweptContact {
    bool hit;
    float time;
    TarnVec2 point;
};

constexpr SweptContact kMiss = {false, kNoContact, {0.0f, 0.0f}};

TarnVec2 Difference(const TarnVec2* a, const TarnVec2* b) {
    TarnVec2 d;
    TarnVec2Sub(&d, a, b);
    return d;
}

// start + (end - start) * time.
TarnVec2 PointAlongMotion(const TarnVec2* start, const TarnVec2* motion, float time) {
    TarnVec2 point;
    TarnVec2ScaleAdd(&point, motion, start, time);
    return point;
}

// The contact time, with the contact point written out when there is one.
float ReportContact(const SweptContact& contact, TarnVec2* pointOut) {
    if (!contact.hit) {
        return kNoContact;
    }
    if (pointOut != nullptr) {
        *pointOut = contact.point;
    }
    return contact.time;
}

// Whether q lies between the perpendiculars to the segment through its ends.
bool WithinSegmentSpan(const TarnLineSegment* segment, const TarnVec2* q) {
    TarnVec2 along = Difference(&segment->end, &segment->start);
    TarnVec2 back = Difference(&segment->start, &segment->end);
    TarnVec2 fromStart = Difference(q, &segment->start);
    TarnVec2 fromEnd = Difference(q, &segment->end);
    return TarnVec2DotProduct(&along, &fromStart) >= 0.0f &&
           TarnVec2DotProduct(&back, &fromEnd) >= 0.0f;
}

// The circle's edge reaching the segment's line from the side its centre
// starts on; a radius of 0 makes this the moving point's crossing.
SweptContact SweepCircleAgainstSegment(const TarnVec2* start, const TarnVec2* end, float radius,
                                       const TarnLineSegment* segment) {
    const TarnVec2* normal = &segment->normal;
    float startOffset = TarnVec2DotProduct(normal, start) - segment->normalDotStart;
    float endOffset = TarnVec2DotProduct(normal, end) - segment->normalDotStart;
    bool staysBehind = startOffset < -radius && endOffset < -radius;
    bool staysInFront = startOffset > radius && endOffset > radius;
    if (staysBehind || staysInFront) {
        return kMiss;
    }
    TarnVec2 motion = Difference(end, start);
    float approachSpeed = TarnVec2DotProduct(normal, &motion);
    if (std::fabs(approachSpeed) < kParallelLimit) {
        return kMiss;
    }
    float touchOffset = startOffset >= 0.0f ? radius : -radius;
    float time = (TarnVec2DotProduct(normal, &segment->start) - TarnVec2DotProduct(normal, start) +
                  touchOffset) /
                 approachSpeed;
    TarnVec2 centre = PointAlongMotion(start, &motion, time);
    if (!WithinSegmentSpan(segment, &centre)) {
        return kMiss;
    }
    return SweptContact{true, time, centre};
}

// First time the moving point is at the given distance from the centre.
SweptContact SweepPointAgainstCircle(const TarnVec2* start, const TarnVec2* end,
                                     const TarnVec2* centre, float radius) {
    TarnVec2 motion = Difference(end, start);
    float motionLength = TarnVec2Length(&motion);
    // A point that does not move has no time of contact within the step.
    if (motionLength == 0.0f) {
        return kMiss;
    }
    TarnVec2 direction, toCentre = Difference(centre, start);
    TarnVec2Normalize(&direction, &motion);
    float closestAlong = TarnVec2DotProduct(&direction, &toCentre);
    float startDistanceSq = TarnVec2SquareDistance(start, centre);
    float radiusSq = radius * radius;
    if (closestAlong < 0.0f && startDistanceSq > radiusSq) {
        return kMiss; // moving away from outside
    }
    float missDistanceSq = startDistanceSq - closestAlong * closestAlong;
    if (missDistanceSq > radiusSq) {
        return kMiss; // the line of motion passes the circle by
    }
    float time = (closestAlong - std::sqrt(radiusSq - missDistanceSq)) / motionLength;
    TarnVec2 point = PointAlongMotion(start, &motion, time);
    TarnVec2 backward = Difference(start, end), endToPoint = Difference(&point, end);
    if (TarnVec2DotProduct(&backward, &endToPoint) < 0.0f) {
        return kMiss; // the contact lies beyond the end of the step
    }
    return SweptContact{true, time, point};
}

// rest - 2 (rest . normal) normal: the motion left after contact, mirrored.
TarnVec2 MirrorOffLine(const TarnVec2* rest, const TarnVec2* normal) {
    TarnVec2 mirrored;
    TarnVec2ScaleAdd(&mirrored, normal, rest, -2.0f * TarnVec2DotProduct(rest, normal));
    return mirrored;
}

float ReflectOnSegment(const TarnVec2* start, const TarnVec2* end, float radius,
                       const TarnLineSegment* segment, TarnVec2* contactOut,
                       TarnVec2* reflectionOut) {
    SweptContact contact = SweepCircleAgainstSegment(start, end, radius, segment);
    float time = ReportContact(contact, contactOut);
    // A contact at the very start has nothing left to reflect.
    if (time > 0.0f && reflectionOut != nullptr) {
        TarnVec2 rest = Difference(end, &contact.point);
        *reflectionOut = MirrorOffLine(&rest, &segment->normal);
    }
    return time;
}

float ReflectOnCircle(const TarnVec2* start, const TarnVec2* end, const TarnVec2* centre,
                      float radius, TarnVec2* contactOut, TarnVec2* reflectionOut) {
    SweptContact contact = SweepPointAgainstCircle(start, end, centre, radius);
    float time = ReportContact(contact, contactOut);
    if (!(time > 0.0f) || reflectionOut == nullptr) {
        return time;
    }
    TarnVec2 incoming = Difference(start, &contact.point);
    TarnVec2 outward = Difference(&contact.point, centre), normal;
    TarnVec2Normalize(&normal, &outward);
    // A circle of radius 0 has no normal: a hit on it is head-on, so the
    // point goes back the way it came.
    if (normal.x == 0.0f && normal.y == 0.0f) {
        TarnVec2Normalize(&normal, &incoming);
    }
    // 2 (u . n) n - u, the negation of u mirrored off the tangent line.
    TarnVec2 mirrored = MirrorOffLine(&incoming, &normal);
    TarnVec2Neg(reflectionOut, &mirrored);
    return time;
}

} // namespace

// ---- Distances --------------------------------------------------------------

float TarnCalcDistPointToCircle(const TarnVec2* point, const TarnVec2* centre, float radius) {
    return TarnVec2Distance(point, centre) - radius;
}

float TarnCalcDistPointToRect(const TarnVec2* point, const TarnVec2* centre, float width,
                              float height) {
    TarnVec2 d = Difference(point, centre);
    float halfWidth = width * 0.5f, halfHeight = height * 0.5f;
    if (std::fabs(d.x) <= halfWidth && std::fabs(d.y) <= halfHeight) {
        return -TarnMin(halfWidth - std::fabs(d.x), halfHeight - std::fabs(d.y));
    }
    TarnVec2 nearest = {TarnClamp(d.x, -halfWidth, halfWidth),
                        TarnClamp(d.y, -halfHeight, halfHeight)};
    return TarnVec2Distance(&d, &nearest);
}

float TarnCalcDistPointToLineSeg(const TarnVec2* point, const TarnVec2* a, const TarnVec2* b) {
    TarnVec2 along = Difference(b, a), fromA = Difference(point, a);
    float length = TarnVec2Length(&along);
    if (length < kDegenerateSegmentLength) {
        return TarnVec2Length(&fromA);
    }
    float projected = TarnVec2DotProduct(&fromA, &along) / length;
    if (projected <= 0.0f) {
        return TarnVec2Length(&fromA);
    }
    if (projected >= length) {
        return TarnVec2Distance(point, b);
    }
    // Rounding can leave a point on the segment a hair below zero.
    float distanceSq = TarnVec2SquareLength(&fromA) - projected * projected;
    return distanceSq <= 0.0f ? 0.0f : std::sqrt(distanceSq);
}

float TarnCalcDistPointToConvexPoly(const TarnVec2*, const TarnVec2*, unsigned int) {
    return -1.0f;
}

float TarnCalcDistCircleToCircle(const TarnVec2* centre0, float radius0, const TarnVec2* centre1,
                                 float radius1) {
    return TarnVec2Distance(centre0, centre1) - radius0 - radius1;
}

float TarnCalcDistCircleToRect(const TarnVec2* circleCentre, float radius,
                               const TarnVec2* rectCentre, float width, float height) {
    return TarnCalcDistPointToRect(circleCentre, rectCentre, width, height) - radius;
}

float TarnCalcDistRectToRect(const TarnVec2* centre0, float width0, float height0,
                             const TarnVec2* centre1, float width1, float height1,
                             TarnVec2* normalOut) {
    TarnVec2 d = Difference(centre1, centre0);
    if (std::fabs(d.x) >= (width0 + width1) / 2.0f ||
        std::fabs(d.y) >= (height0 + height1) / 2.0f) {
        return 0.0f;
    }
    float depth = std::fabs(d.x) - width0 / 2.0f - width1 / 2.0f;
    TarnVec2 normal = {d.x < 0.0f ? 1.0f : -1.0f, 0.0f};
    float depthY = std::fabs(d.y) - height0 / 2.0f - height1 / 2.0f;
    // The shallower overlap (the larger negative value) wins; ties keep x.
    if (depthY > depth) {
        depth = depthY;
        normal = TarnVec2{0.0f, d.y >= 0.0f ? -1.0f : 1.0f};
    }
    if (normalOut != nullptr) {
        *normalOut = normal;
    }
    return depth;
}

// ---- Overlap tests ----------------------------------------------------------

bool TarnTestPointToCircle(const TarnVec2* point, const TarnVec2* centre, float radius) {
    return TarnVec2Distance(point, centre) <= radius;
}

bool TarnTestPointToRect(const TarnVec2* point, const TarnVec2* centre, float width, float height) {
    TarnVec2 d = Difference(point, centre);
    return TarnInRange(d.x, -width / 2.0f, width / 2.0f) &&
           TarnInRange(d.y, -height / 2.0f, height / 2.0f);
}

bool TarnTestCircleToCircle(const TarnVec2* centre0, float radius0, const TarnVec2* centre1,
                            float radius1) {
    return TarnVec2Distance(centre0, centre1) <= radius0 + radius1;
}

bool TarnTestCircleToRect(const TarnVec2* circleCentre, float radius, const TarnVec2* rectCentre,
                          float width, float height) {
    // Inside or on the rectangle the distance is 0 or negative, so any
    // positive radius overlaps.
    return TarnCalcDistPointToRect(circleCentre, rectCentre, width, height) < radius;
}

bool TarnTestRectToRect(const TarnVec2* centre0, float width0, float height0,
                        const TarnVec2* centre1, float width1, float height1) {
    return std::fabs(centre1->x - centre0->x) <= (width0 + width1) / 2.0f &&
           std::fabs(centre1->y - centre0->y) <= (height0 + height1) / 2.0f;
}

// ---- Line segments ----------------------------------------------------------

float TarnStaticPointToStaticLineSegment(const TarnVec2* point, const TarnLineSegment* segment) {
    return TarnVec2DotProduct(&segment->normal, point) - segment->normalDotStart;
}

float TarnAnimatedPointToStaticLineSegment(const TarnVec2* start, const TarnVec2* end,
                                           const TarnLineSegment* segment, TarnVec2* contact) {
    return TarnAnimatedCircleToStaticLineSegment(start, end, 0.0f, segment, contact);
}

float TarnAnimatedCircleToStaticLineSegment(const TarnVec2* start, const TarnVec2* end,
                                            float radius, const TarnLineSegment* segment,
                                            TarnVec2* contact) {
    return ReportContact(SweepCircleAgainstSegment(start, end, radius, segment), contact);
}

float TarnReflectAnimatedPointOnStaticLineSegment(const TarnVec2* start, const TarnVec2* end,
                                                  const TarnLineSegment* segment, TarnVec2* contact,
                                                  TarnVec2* reflection) {
    return ReflectOnSegment(start, end, 0.0f, segment, contact, reflection);
}

float TarnReflectAnimatedCircleOnStaticLineSegment(const TarnVec2* start, const TarnVec2* end,
                                                   float radius, const TarnLineSegment* segment,
                                                   TarnVec2* contact, TarnVec2* reflection) {
    return ReflectOnSegment(start, end, radius, segment, contact, reflection);
}

// ---- Circles ----------------------------------------------------------------

float TarnAnimatedPointToStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                      const TarnVec2* centre, float radius, TarnVec2* contact) {
    return ReportContact(SweepPointAgainstCircle(start, end, centre, radius), contact);
}

float TarnReflectAnimatedPointOnStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                             const TarnVec2* centre, float radius,
                                             TarnVec2* contact, TarnVec2* reflection) {
    return ReflectOnCircle(start, end, centre, radius, contact, reflection);
}

float TarnAnimatedCircleToStaticCircle(const TarnVec2* start, const TarnVec2* end, float radius,
                                       const TarnVec2* centre, float staticRadius,
                                       TarnVec2* contact) {
    return TarnAnimatedPointToStaticCircle(start, end, centre, radius + staticRadius, contact);
}

float TarnReflectAnimatedCircleOnStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                              float radius, const TarnVec2* centre,
                                              float staticRadius, TarnVec2* contact,
                                              TarnVec2* reflection) {
    return ReflectOnCircle(start, end, centre, radius + staticRadius, contact, reflection);
}
