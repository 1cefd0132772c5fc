#include "ui/Host.h"

#include "ui/Dialog.h"

#include <algorithm>
#include <vector>

namespace qm::ui {

namespace {

// Every live host, so a dialog that goes away can drop its queued messages wherever they are.
std::vector<Host*>& LiveHosts() {
    static std::vector<Host*> hosts;
    return hosts;
}

} // namespace

Host::Host() : clock_(*this) {
    LiveHosts().push_back(this);
}

Host::~Host() {
    auto& hosts = LiveHosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

void Host::EndWaitCursor() {
    if (waitCursorDepth_ > 0) {
        --waitCursorDepth_;
    }
}

void Host::PostMessage(Dialog& target, unsigned message, std::u16string text) {
    posted_.push_back(Posted{&target, message, std::move(text)});
    OnMessagePosted();
}

int Host::DeliverPosted() {
    int delivered = 0;
    while (!posted_.empty()) {
        Posted next = std::move(posted_.front());
        posted_.pop_front();
        Notification n;
        n.event = Event::Posted;
        n.code = static_cast<int>(next.message);
        n.text = std::move(next.text);
        next.target->Dispatch(n);
        ++delivered;
    }
    return delivered;
}

void Host::ForgetDialog(const Dialog& dialog) {
    for (Host* host : LiveHosts()) {
        auto& queue = host->posted_;
        queue.erase(std::remove_if(queue.begin(), queue.end(),
                                   [&](const Posted& p) { return p.target == &dialog; }),
                    queue.end());
    }
}

} // namespace qm::ui
