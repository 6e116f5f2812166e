// The logical 1024 x 768 picture in windows of other sizes: where it lies, and
// where a click on the window lands in it, kept in proportion and stretched.
#include "TarnSystem.h"

#include <gtest/gtest.h>

namespace {

struct Display {
    int width;
    int height;
    int mode;
    TarnViewRect picture; // where the picture must lie
};

const Display kDisplays[] = {
    {1920, 1080, TARN_ASPECT_KEEP, {240, 0, 1440, 1080}}, // bars left and right
    {1280, 1024, TARN_ASPECT_KEEP, {0, 32, 1280, 960}},   // bars above and below
    {1024, 768, TARN_ASPECT_KEEP, {0, 0, 1024, 768}},
    {1920, 1080, TARN_ASPECT_STRETCH, {0, 0, 1920, 1080}},
    {1280, 1024, TARN_ASPECT_STRETCH, {0, 0, 1280, 1024}},
    {1024, 768, TARN_ASPECT_STRETCH, {0, 0, 1024, 768}},
};

struct Landing {
    bool onPicture;
    int x;
    int y;
};

Landing Click(const TarnViewRect& picture, int x, int y) {
    Landing landing{};
    landing.onPicture = TarnSysWindowToLogical(&picture, 1024, 768, x, y, &landing.x, &landing.y);
    return landing;
}

std::string Name(const Display& display) {
    return std::to_string(display.width) + "x" + std::to_string(display.height) +
           (display.mode == TARN_ASPECT_KEEP ? " kept" : " stretched");
}

TEST(PicturePlacement, PictureFillsTheWindowOrKeepsItsProportionsCentred) {
    for (const Display& display : kDisplays) {
        TarnViewRect fit =
            TarnSysFitPicture(display.width, display.height, 1024, 768, display.mode);
        EXPECT_EQ(fit.x, display.picture.x) << Name(display);
        EXPECT_EQ(fit.y, display.picture.y) << Name(display);
        EXPECT_EQ(fit.width, display.picture.width) << Name(display);
        EXPECT_EQ(fit.height, display.picture.height) << Name(display);
    }
}

TEST(PicturePlacement, ClicksOnTheCentreAndTheCornersLandOnThePicture) {
    for (const Display& display : kDisplays) {
        const TarnViewRect& p = display.picture;
        Landing centre = Click(p, display.width / 2, display.height / 2);
        EXPECT_TRUE(centre.onPicture) << Name(display);
        EXPECT_EQ(centre.x, 512) << Name(display);
        EXPECT_EQ(centre.y, 384) << Name(display);
        Landing topLeft = Click(p, p.x, p.y);
        EXPECT_TRUE(topLeft.onPicture) << Name(display);
        EXPECT_EQ(topLeft.x, 0) << Name(display);
        EXPECT_EQ(topLeft.y, 0) << Name(display);
        Landing bottomRight = Click(p, p.x + p.width - 1, p.y + p.height - 1);
        EXPECT_TRUE(bottomRight.onPicture) << Name(display);
        EXPECT_EQ(bottomRight.x, 1023) << Name(display);
        EXPECT_EQ(bottomRight.y, 767) << Name(display);
    }
}

// A click on a bar lands off the picture, where no button is; with no bars the
// window's corner pixel is the picture's.
TEST(PicturePlacement, ClicksOnABarLandNowhere) {
    for (const Display& display : kDisplays) {
        const TarnViewRect& p = display.picture;
        const bool bars = p.x > 0 || p.y > 0;
        Landing corner = Click(p, 0, 0);
        EXPECT_EQ(corner.onPicture, !bars) << Name(display);
        Landing farCorner = Click(p, display.width - 1, display.height - 1);
        EXPECT_EQ(farCorner.onPicture, !bars) << Name(display);
        if (bars) {
            Landing justBefore = Click(p, p.x - 1 + (p.x == 0), p.y - 1 + (p.y == 0));
            EXPECT_FALSE(justBefore.onPicture) << Name(display);
            EXPECT_TRUE(corner.x < 0 || corner.y < 0) << Name(display);
        }
    }
}

// The playtest driver's scripted moves go the other way: a logical point sent
// to the window comes back as the same point.
TEST(PicturePlacement, LogicalPointsSurviveTheWayThereAndBack) {
    for (const Display& display : kDisplays) {
        for (int x : {0, 100, 512, 1023}) {
            for (int y : {0, 300, 767}) {
                int windowX = -1, windowY = -1;
                TarnSysLogicalToWindow(&display.picture, 1024, 768, x, y, &windowX, &windowY);
                Landing back = Click(display.picture, windowX, windowY);
                EXPECT_TRUE(back.onPicture);
                EXPECT_EQ(back.x, x) << Name(display) << " at " << x << "," << y;
                EXPECT_EQ(back.y, y) << Name(display) << " at " << x << "," << y;
            }
        }
    }
}

TEST(PicturePlacement, EmptyWindowOrPictureGivesNoLanding) {
    EXPECT_EQ(TarnSysFitPicture(0, 0, 1024, 768, TARN_ASPECT_KEEP).width, 0);
    TarnViewRect empty = {0, 0, 0, 0};
    EXPECT_FALSE(Click(empty, 10, 10).onPicture);
    EXPECT_FALSE(TarnSysWindowToLogical(nullptr, 1024, 768, 0, 0, nullptr, nullptr));
}

} // namespace
