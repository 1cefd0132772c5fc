#include "pages/PageScroller.h"

#include <algorithm>

namespace qm {

void PageScroller::SetRange(int nMax) {
    nMax_ = std::max(nMax, 0);
    position_ = std::clamp(position_, 0, Largest());
}

int PageScroller::Largest() const {
    return std::max(0, nMax_ - kPage + 1);
}

int PageScroller::MoveTo(int wanted) {
    int next = std::clamp(wanted, 0, Largest());
    int delta = position_ - next;
    position_ = next;
    return delta;
}

int PageScroller::Scroll(int request, int trackPosition) {
    switch (request) {
    case kLineUp:
        return MoveTo(position_ - kLine);
    case kLineDown:
        return MoveTo(position_ + kLine);
    case kPageUp:
        return MoveTo(position_ - kPageStep);
    case kPageDown:
        return MoveTo(position_ + kPageStep);
    case kThumbTrack:
        return MoveTo(trackPosition);
    case kTop:
        return MoveTo(0);
    case kBottom:
        return MoveTo(Largest());
    default:
        return 0;
    }
}

int PageScroller::Wheel(int delta) {
    return MoveTo(delta < 0 ? position_ + kWheelStep : position_ - kWheelStep);
}

int PageScroller::Reset() {
    return MoveTo(0);
}

} // namespace qm
