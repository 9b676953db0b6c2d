#pragma once

#include <cstdint>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

// A limit on the size of the files this process, and the programs it starts, may write. It stands
// in for a full disk: a write beyond it fails (EFBIG) rather than raising SIGXFSZ. Windows has no
// such limit: there `available` is false.
class FileSizeLimit {
public:
#ifdef _WIN32
    static constexpr bool available = false;
    explicit FileSizeLimit(std::uint64_t) {}
    bool isSet() const { return false; }
#else
    static constexpr bool available = true;
    explicit FileSizeLimit(std::uint64_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
        struct rlimit limited = saved_;
        limited.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) return;
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        set_ = true;
    }
    ~FileSizeLimit()
    {
        if (!set_) return;
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool isSet() const { return set_; }

private:
    struct rlimit saved_ {};
    void (*oldHandler_)(int) = SIG_DFL;
    bool set_ = false;
#endif
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};
