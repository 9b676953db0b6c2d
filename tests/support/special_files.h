#pragma once

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// Files that are no regular files, made in a folder: what a user may point a program at by
// mistake, and what must be refused without waiting on it. Windows has neither pipes in the file
// system nor sockets there: `available` is false, and the tests that need them are skipped.
struct SpecialFiles {
#ifdef _WIN32
    static constexpr bool available = false;
    explicit SpecialFiles(const std::filesystem::path&) {}
#else
    static constexpr bool available = true;
    explicit SpecialFiles(const std::filesystem::path& folder)
        : fifo(folder / "fifo"), socket(folder / "socket")
    {
        if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("cannot make a FIFO");
        socketFd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
        if (::bind(socketFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("cannot make a socket");
    }
    ~SpecialFiles() { ::close(socketFd_); }
#endif
    SpecialFiles(const SpecialFiles&) = delete;
    SpecialFiles& operator=(const SpecialFiles&) = delete;

    std::filesystem::path fifo;
    std::filesystem::path socket;

private:
    int socketFd_ = -1;
};

// Runs the check in a child process and gives its answer, or false when it has not finished
// within the time: a read or write that waits on a pipe fails the test instead of hanging it.
inline bool finishesWithin(int seconds, const std::function<bool()>& check)
{
#ifdef _WIN32
    (void)seconds;
    return check();
#else
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) ::_exit(check() ? 0 : 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}
