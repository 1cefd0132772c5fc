#include "platform/BoundedRead.h"

#include "platform/FdWait.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qm {

BoundedReadResult ReadFileBounded(const std::string& path, size_t maxBytes, uint32_t boundMs,
                                  std::string& bytes, int* error, Clock& clock) {
    const auto fail = [&](BoundedReadResult result, int value) {
        bytes.clear();
        if (error != nullptr) {
            *error = value;
        }
        return result;
    };
    bytes.clear();
    if (error != nullptr) {
        *error = 0;
    }
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        return fail(BoundedReadResult::kCannotOpen, errno);
    }
    const uint64_t start = clock.NowMs();
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                const uint64_t waited = clock.NowMs() - start;
                if (waited < boundMs &&
                    WaitForFd(clock, fd.Get(), POLLIN, static_cast<uint32_t>(boundMs - waited)) >=
                        0 &&
                    clock.NowMs() - start < boundMs) {
                    continue;
                }
                errno = ETIMEDOUT;
            }
            return fail(BoundedReadResult::kReadError, errno);
        }
        if (n == 0) {
            return BoundedReadResult::kOk;
        }
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
            return fail(BoundedReadResult::kTooLarge, 0);
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

} // namespace qm
