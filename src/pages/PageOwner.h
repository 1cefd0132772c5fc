#pragma once

namespace qm {

// What a page asks of the window that owns it: the keys and buttons of a page that act on the
// main window (Enter presses Send Configuration; on the Print Test page, Execute and Enter press
// the hidden Print button).
class PageOwner {
public:
    virtual ~PageOwner() = default;
    virtual void PressSendConfiguration() = 0;
    virtual void PressPrint() = 0;
};

} // namespace qm
