#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

namespace bis::testing {

// The user and group that permissions are tested with when the tests run as root.
inline constexpr uid_t kNobody = 65534;

// Runs the body in a child process and returns the text it returned, so that a test can change
// process-wide settings (resource limits, signal handling, the user) without touching the test
// program itself. With unprivileged set, a child of a test that runs as root first gives up root
// and becomes the user nobody, so that file permissions apply to it. A child that fails to do so
// or dies returns a text beginning with "!".
inline std::string RunInChild(const std::function<std::string()> &body, bool unprivileged = false) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return "!pipe failed";
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return "!fork failed";
    }
    if (child == 0) {
        ::close(channel[0]);
        std::string result;
        if (unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            result = "!could not give up root";
        } else {
            result = body();
        }
        std::size_t written = 0;
        while (written < result.size()) {
            const ssize_t n = ::write(channel[1], result.data() + written, result.size() - written);
            if (n <= 0) {
                break;
            }
            written += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        result.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status)) {
        return "!child died" + (WIFSIGNALED(status)
                                    ? " of signal " + std::to_string(WTERMSIG(status))
                                    : std::string());
    }
    return result;
}

}  // namespace bis::testing
