#include "pages/PageScroller.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(PageScroller, RequestsMoveAndClamp) {
    PageScroller scroll(1660); // Standard page
    EXPECT_EQ(scroll.Largest(), 1361);
    EXPECT_EQ(scroll.Scroll(PageScroller::kLineUp), 0); // at the top nothing moves
    EXPECT_EQ(scroll.Scroll(PageScroller::kLineDown), -10);
    EXPECT_EQ(scroll.Position(), 10);
    EXPECT_EQ(scroll.Scroll(PageScroller::kPageDown), -160);
    EXPECT_EQ(scroll.Position(), 170);
    EXPECT_EQ(scroll.Scroll(PageScroller::kPageUp), 160);
    EXPECT_EQ(scroll.Scroll(PageScroller::kPageUp), 10); // clamped at 0
    EXPECT_EQ(scroll.Position(), 0);
    EXPECT_EQ(scroll.Scroll(PageScroller::kThumbTrack, 500), -500);
    EXPECT_EQ(scroll.Scroll(PageScroller::kThumbPosition, 900), 0); // release: nothing
    EXPECT_EQ(scroll.Position(), 500);
    EXPECT_EQ(scroll.Scroll(PageScroller::kThumbTrack, 5000), -861);
    EXPECT_EQ(scroll.Position(), 1361);
    EXPECT_EQ(scroll.Scroll(PageScroller::kLineDown), 0);
    EXPECT_EQ(scroll.Scroll(PageScroller::kTop), 1361);
    EXPECT_EQ(scroll.Scroll(PageScroller::kBottom), -1361);
    EXPECT_EQ(scroll.Scroll(PageScroller::kThumbTrack, -40), 1361);
    EXPECT_EQ(scroll.Scroll(PageScroller::kEndScroll), 0);
}

TEST(PageScroller, WheelMovesFiftyWhateverTheDelta) {
    PageScroller scroll(1000);       // Advanced page
    EXPECT_EQ(scroll.Wheel(120), 0); // up at the top: no change
    EXPECT_EQ(scroll.Wheel(-1), -50);
    EXPECT_EQ(scroll.Wheel(-960), -50);
    EXPECT_EQ(scroll.Position(), 100);
    EXPECT_EQ(scroll.Wheel(1), 50);
    EXPECT_EQ(scroll.Wheel(0), 50); // zero counts as up
    EXPECT_EQ(scroll.Position(), 0);
    for (int i = 0; i < 20; ++i) {
        scroll.Wheel(-120);
    }
    EXPECT_EQ(scroll.Position(), 701);
}

TEST(PageScroller, SmallRangeNeverScrolls) {
    PageScroller scroll(200);
    EXPECT_EQ(scroll.Largest(), 0);
    EXPECT_EQ(scroll.Scroll(PageScroller::kBottom), 0);
    EXPECT_EQ(scroll.Wheel(-120), 0);
    PageScroller shrinking(1180);
    shrinking.Scroll(PageScroller::kBottom);
    shrinking.SetRange(400);
    EXPECT_EQ(shrinking.Position(), 101);
}

} // namespace
} // namespace qm
