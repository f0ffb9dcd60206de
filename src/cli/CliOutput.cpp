#include "CliOutput.h"

#include "CliFormat.h"
#include "lang/Translate.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <unistd.h>

namespace vexor::cli {

namespace {

constexpr const char* kMsgStdout = "Nie można zapisać wyniku na standardowe wyjście (stdout)";

// One lock per stream: a writer blocked on a pipe nobody reads must not
// keep the signal watcher from saying why the program stops.
struct SStream {
    int fd;
    int error = 0; // errno of the first failed write
    std::mutex mutex;
};

SStream& outStream() {
    static SStream stream{STDOUT_FILENO, 0, {}};
    return stream;
}

SStream& errStream() {
    static SStream stream{STDERR_FILENO, 0, {}};
    return stream;
}

// Direct writes, not stdio: a buffered stream would report a full disk only
// at its next flush, and would never say which write was lost.
bool writeAll(SStream& stream, const std::string& text) {
    std::lock_guard<std::mutex> guard(stream.mutex);
    if (stream.error != 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(stream.fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            stream.error = n < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int streamError(SStream& stream) {
    std::lock_guard<std::mutex> guard(stream.mutex);
    return stream.error;
}

} // namespace

bool printOut(const std::string& text) {
    // Whatever a library put into the stdio buffer goes first, in order.
    std::fflush(stdout);
    return writeAll(outStream(), text);
}

bool printErr(const std::string& text) {
    std::fflush(stderr);
    return writeAll(errStream(), text);
}

void noteErrFailed() {
    std::lock_guard<std::mutex> guard(errStream().mutex);
    if (errStream().error == 0)
        errStream().error = EIO;
}

bool outputFailed() {
    SStream& out = outStream();
    std::lock_guard<std::mutex> guard(out.mutex);
    if (out.error == 0) {
        // A pipe whose reader has gone reports it before the next write: a
        // command that prints seldom stops as soon as one that prints often.
        pollfd fd{out.fd, 0, 0};
        if (::poll(&fd, 1, 0) == 1 && (fd.revents & POLLERR) != 0)
            out.error = EPIPE;
    }
    return out.error != 0;
}

bool errIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

int finishOutput(int status) {
    int outError = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        outError = errno != 0 ? errno : EIO;
    if (const int error = streamError(outStream()))
        outError = error;
    // Some file systems report a lost write only when the file is closed.
    if (outError == 0 && ::close(STDOUT_FILENO) != 0 && errno != EBADF && errno != EINTR)
        outError = errno;
    if (outError != 0 && outError != EPIPE)
        (void)printErr("vexor-cli: " + vexor::translate(kMsgStdout) + ": " +
                       std::strerror(outError) + "\n");
    if (std::fflush(stderr) != 0)
        noteErrFailed();
    const bool errFailed = streamError(errStream()) != 0;
    if ((outError != 0 || errFailed) && status == kExitDone)
        return kExitFailed;
    return status;
}

} // namespace vexor::cli
