// Tarn engine: collision and distance library.
//
// Signed distances between points, circles and axis-aligned rectangles,
// overlap tests between them, and swept tests of a point or circle moving
// during one frame against a static line segment or circle.
//
// Shapes: a circle is a centre and a radius; a rectangle is a centre, a width
// and a height. A moving shape goes from Ps at the start of the frame to Pe at
// its end; a time t of contact is the fraction of that step, Ps + (Pe - Ps) t.
// Contact points and reflected vectors are written only on a hit, and those
// output pointers may be null when the caller does not want them.
#pragma once
#include "TarnDefs.h"
#include "TarnMath.h"

// ---- Types ------------------------------------------------------------------
// Filled by the caller: normal must be unit length, and normalDotStart must be
// normal . start. The side the normal points to is the outside.
typedef struct TarnLineSegment {
    TarnVec2 start;
    TarnVec2 end;
    TarnVec2 normal;
    float normalDotStart;
} TarnLineSegment;

// ---- Distances --------------------------------------------------------------
// Negative results mean overlap, by that depth.
TARN_API float TarnCalcDistPointToCircle(const TarnVec2* point, const TarnVec2* centre,
                                         float radius);
// Inside: minus the distance to the nearest edge. Outside: the distance to the
// nearest point of the rectangle.
TARN_API float TarnCalcDistPointToRect(const TarnVec2* point, const TarnVec2* centre, float width,
                                       float height);
// Distance from the point to the segment from a to b (never negative).
TARN_API float TarnCalcDistPointToLineSeg(const TarnVec2* point, const TarnVec2* a,
                                          const TarnVec2* b);
// Not provided by the engine: always -1.
TARN_API float TarnCalcDistPointToConvexPoly(const TarnVec2* point, const TarnVec2* vertices,
                                             unsigned int vertexCount);
TARN_API float TarnCalcDistCircleToCircle(const TarnVec2* centre0, float radius0,
                                          const TarnVec2* centre1, float radius1);
TARN_API float TarnCalcDistCircleToRect(const TarnVec2* circleCentre, float radius,
                                        const TarnVec2* rectCentre, float width, float height);
// Overlapping rectangles: minus the penetration depth along the axis of least
// penetration (ties go to x), and, when normalOut is not null, the unit
// direction in which the first rectangle must move to separate. Rectangles
// that do not overlap (touching included) give 0 and leave normalOut as it is.
TARN_API float TarnCalcDistRectToRect(const TarnVec2* centre0, float width0, float height0,
                                      const TarnVec2* centre1, float width1, float height1,
                                      TarnVec2* normalOut);

// ---- Overlap tests ----------------------------------------------------------
// Touching counts as overlapping, except in TarnTestCircleToRect.
TARN_API bool TarnTestPointToCircle(const TarnVec2* point, const TarnVec2* centre, float radius);
TARN_API bool TarnTestPointToRect(const TarnVec2* point, const TarnVec2* centre, float width,
                                  float height);
TARN_API bool TarnTestCircleToCircle(const TarnVec2* centre0, float radius0,
                                     const TarnVec2* centre1, float radius1);
// True when the circle's centre is closer to the rectangle than the radius
// (strictly); a centre inside or on the rectangle always counts for a positive
// radius.
TARN_API bool TarnTestCircleToRect(const TarnVec2* circleCentre, float radius,
                                   const TarnVec2* rectCentre, float width, float height);
TARN_API bool TarnTestRectToRect(const TarnVec2* centre0, float width0, float height0,
                                 const TarnVec2* centre1, float width1, float height1);

// ---- Line segments ----------------------------------------------------------
// Signed distance from the segment's line, positive on the normal's side.
TARN_API float TarnStaticPointToStaticLineSegment(const TarnVec2* point,
                                                  const TarnLineSegment* segment);
// Time at which the moving point crosses the segment, or -1; the crossing
// point goes to contact.
TARN_API float TarnAnimatedPointToStaticLineSegment(const TarnVec2* start, const TarnVec2* end,
                                                    const TarnLineSegment* segment,
                                                    TarnVec2* contact);
// Time at which the moving circle's edge first touches the segment's line,
// from the side it starts on, with its centre then within the segment's span;
// or -1. The centre at contact goes to contact. A circle that already overlaps
// the line at the start gets a negative time.
TARN_API float TarnAnimatedCircleToStaticLineSegment(const TarnVec2* start, const TarnVec2* end,
                                                     float radius, const TarnLineSegment* segment,
                                                     TarnVec2* contact);
// As the animated queries; for a contact time above 0 the rest of the motion
// past the contact, mirrored off the segment, also goes to reflection.
TARN_API float TarnReflectAnimatedPointOnStaticLineSegment(const TarnVec2* start,
                                                           const TarnVec2* end,
                                                           const TarnLineSegment* segment,
                                                           TarnVec2* contact, TarnVec2* reflection);
TARN_API float TarnReflectAnimatedCircleOnStaticLineSegment(const TarnVec2* start,
                                                            const TarnVec2* end, float radius,
                                                            const TarnLineSegment* segment,
                                                            TarnVec2* contact,
                                                            TarnVec2* reflection);

// ---- Circles ----------------------------------------------------------------
// Time at which the moving point first reaches the circle, or -1 (also for a
// point that does not move). A point that starts inside gets a negative time.
TARN_API float TarnAnimatedPointToStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                               const TarnVec2* centre, float radius,
                                               TarnVec2* contact);
// As above; for a contact time above 0, reflection gets the incoming path
// mirrored about the circle's normal at the contact: it points away from the
// circle and is as long as the path from start to contact.
TARN_API float TarnReflectAnimatedPointOnStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                                      const TarnVec2* centre, float radius,
                                                      TarnVec2* contact, TarnVec2* reflection);
// A moving circle against a static one: the point query with the summed radius,
// so contact is the moving circle's centre at contact.
TARN_API float TarnAnimatedCircleToStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                                float radius, const TarnVec2* centre,
                                                float staticRadius, TarnVec2* contact);
TARN_API float TarnReflectAnimatedCircleOnStaticCircle(const TarnVec2* start, const TarnVec2* end,
                                                       float radius, const TarnVec2* centre,
                                                       float staticRadius, TarnVec2* contact,
                                                       TarnVec2* reflection);
