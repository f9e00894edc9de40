// Loaded into a compile with LD_PRELOAD, it makes one call of the C library fail, or kills the
// process at that call, as a full disk, a failing disk or a power cut would. Only calls on files
// below one folder count.
//
//   TALVO_FAULT_DIR       the folder
//   TALVO_FAULT           <kind>:<n>, kind one of open, write, sync, rename, close: the n-th call
//                         of that kind fails with the kind's error number (open: EACCES, write:
//                         ENOSPC, sync and close: EIO, rename: EACCES)
//   TALVO_FAULT_KILL      when set, the process is killed (SIGKILL) at that call instead
//   TALVO_FAULT_NO_TMPFILE  when set, unnamed temporary files (O_TMPFILE) are refused, as on file
//                         systems that have none, so temporary files get names
//   TALVO_FAULT_COUNTS    a file that receives, at the normal end of the process, how many calls
//                         of each kind were made: "open 12 write 9 ..."
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

enum Kind { Open, Write, Sync, Rename, Close, KindCount };
constexpr std::array<const char*, KindCount> kKindNames = {"open", "write", "sync", "rename",
                                                           "close"};
constexpr std::array<int, KindCount> kErrors = {EACCES, ENOSPC, EIO, EACCES, EIO};
constexpr int kMaxFd = 4096;

struct State {
    bool ready = false;
    char folder[4096] = {};
    std::size_t folderLength = 0;
    int faultKind = -1;
    long faultAt = 0;
    bool kill = false;
    bool noTmpfile = false;
    std::array<long, KindCount> counts = {};
    std::array<bool, kMaxFd> tracked = {};
};

State& state() {
    static State s;
    if (!s.ready) {
        s.ready = true;
        if (const char* folder = std::getenv("TALVO_FAULT_DIR")) {
            std::snprintf(s.folder, sizeof s.folder, "%s", folder);
            s.folderLength = std::strlen(s.folder);
        }
        if (const char* fault = std::getenv("TALVO_FAULT")) {
            for (int kind = 0; kind < KindCount; ++kind) {
                const std::size_t length = std::strlen(kKindNames[kind]);
                if (std::strncmp(fault, kKindNames[kind], length) == 0 && fault[length] == ':') {
                    s.faultKind = kind;
                    s.faultAt = std::atol(fault + length + 1);
                }
            }
        }
        s.kill = std::getenv("TALVO_FAULT_KILL") != nullptr;
        s.noTmpfile = std::getenv("TALVO_FAULT_NO_TMPFILE") != nullptr;
    }
    return s;
}

bool inFolder(const char* path) {
    const State& s = state();
    return path && s.folderLength > 0 && std::strncmp(path, s.folder, s.folderLength) == 0;
}

bool trackedFd(int fd) {
    return fd >= 0 && fd < kMaxFd && state().tracked[fd];
}

// Counts a call of the kind; true when this one must fail (errno is then set).
bool fault(Kind kind) {
    State& s = state();
    const long n = ++s.counts[kind];
    if (s.faultKind != kind || s.faultAt != n) {
        return false;
    }
    if (s.kill) {
        ::raise(SIGKILL);
    }
    errno = kErrors[kind];
    return true;
}

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

int openCommon(int (*real)(int, const char*, int, mode_t), int dirfd, const char* path, int flags,
               mode_t mode) {
    const bool counted = inFolder(path);
    if (counted) {
        if (state().noTmpfile && (flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
        if (fault(Open)) {
            return -1;
        }
    }
    const int fd = real(dirfd, path, flags, mode);
    if (counted && fd >= 0 && fd < kMaxFd) {
        state().tracked[fd] = true;
    }
    return fd;
}

mode_t modeArgument(int flags, va_list arguments) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(arguments, mode_t) : 0;
}

int realOpenAt(int dirfd, const char* path, int flags, mode_t mode) {
    static auto real = next<int (*)(int, const char*, int, ...)>("openat");
    return real(dirfd, path, flags, mode);
}

struct CountsAtExit {
    ~CountsAtExit() {
        const char* file = std::getenv("TALVO_FAULT_COUNTS");
        if (!file) {
            return;
        }
        if (FILE* out = std::fopen(file, "w")) {
            for (int kind = 0; kind < KindCount; ++kind) {
                std::fprintf(out, "%s %ld\n", kKindNames[kind], state().counts[kind]);
            }
            std::fclose(out);
        }
    }
} countsAtExit;

} // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openCommon(realOpenAt, AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openCommon(realOpenAt, AT_FDCWD, path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openCommon(realOpenAt, dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openCommon(realOpenAt, dirfd, path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size) {
    static auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (trackedFd(fd) && fault(Write)) {
        return -1;
    }
    return real(fd, data, size);
}

int fsync(int fd) {
    static auto real = next<int (*)(int)>("fsync");
    if (trackedFd(fd) && fault(Sync)) {
        return -1;
    }
    return real(fd);
}

int fdatasync(int fd) {
    static auto real = next<int (*)(int)>("fdatasync");
    if (trackedFd(fd) && fault(Sync)) {
        return -1;
    }
    return real(fd);
}

int close(int fd) {
    static auto real = next<int (*)(int)>("close");
    const bool counted = trackedFd(fd);
    if (counted) {
        state().tracked[fd] = false;
    }
    const int result = real(fd);
    if (counted && fault(Close)) {
        return -1; // the descriptor is closed all the same, as after a real failure
    }
    return result;
}

int rename(const char* from, const char* to) {
    static auto real = next<int (*)(const char*, const char*)>("rename");
    if ((inFolder(from) || inFolder(to)) && fault(Rename)) {
        return -1;
    }
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    static auto real = next<int (*)(int, const char*, int, const char*)>("renameat");
    if ((inFolder(from) || inFolder(to)) && fault(Rename)) {
        return -1;
    }
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static auto real = next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    if ((inFolder(from) || inFolder(to)) && fault(Rename)) {
        return -1;
    }
    return real(fromDir, from, toDir, to, flags);
}

int link(const char* from, const char* to) {
    static auto real = next<int (*)(const char*, const char*)>("link");
    if (inFolder(to) && fault(Rename)) {
        return -1;
    }
    return real(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    static auto real = next<int (*)(int, const char*, int, const char*, int)>("linkat");
    if (inFolder(to) && fault(Rename)) {
        return -1;
    }
    return real(fromDir, from, toDir, to, flags);
}

} // extern "C"
