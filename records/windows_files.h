#pragma once

#include <windows.h>

// What reading and replacing files on Windows share: an owned handle and the C library's number
// for a system error, so that messages and callers see one kind of number everywhere.

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (isOpen()) ::CloseHandle(handle_);
    }

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closing can report a write error of its own (a full disk on a network share).
    bool close()
    {
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

int errnoOf(DWORD error);

inline constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
inline constexpr std::size_t mostAtOnce = 1 << 30;  // ReadFile and WriteFile take 32-bit counts
