#pragma once

namespace qm {

// The vertical scrolling of a page that is taller than the tab area: range 0..nMax with a page
// of 300 units. Line requests move 10 units, page requests 160, a wheel message 50 whatever its
// delta; every new position is clamped to 0..(nMax - page + 1). Each call answers how far the
// contents must move (old position minus new position; 0 when nothing changes).
class PageScroller {
public:
    // The requests of a scroll bar, in the classic order of their codes (0..8).
    enum Request {
        kLineUp = 0,
        kLineDown = 1,
        kPageUp = 2,
        kPageDown = 3,
        kThumbPosition = 4, // thumb released: nothing beyond the default
        kThumbTrack = 5,
        kTop = 6,
        kBottom = 7,
        kEndScroll = 8,
    };

    static constexpr int kPage = 300;
    static constexpr int kLine = 10;
    static constexpr int kPageStep = 160;
    static constexpr int kWheelStep = 50;

    PageScroller() = default;
    explicit PageScroller(int nMax) : nMax_(nMax) {}

    void SetRange(int nMax);
    int Max() const { return nMax_; }
    int Position() const { return position_; }
    // The largest position the clamp allows (never below 0).
    int Largest() const;

    // A scroll-bar request; trackPosition is used by thumb tracking only.
    int Scroll(int request, int trackPosition = 0);
    // A mouse-wheel message: down when delta is negative, up otherwise.
    int Wheel(int delta);
    // Back to the top without a request (used when a page is reset).
    int Reset();

private:
    int MoveTo(int wanted);

    int nMax_ = 0;
    int position_ = 0;
};

} // namespace qm
