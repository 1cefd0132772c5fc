#pragma once

#include "ui/Host.h"

namespace qm::ui {

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(Host& host) : host_(host) { host_.BeginWaitCursor(); }
    ~WaitCursor() { host_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Host& host_;
};

} // namespace qm::ui
