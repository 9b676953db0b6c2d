#pragma once

#include <streambuf>
#include <string>

#include "records/windows1252.h"

// Whether the system's texts (the arguments of a command line, file names, what a terminal
// shows) are UTF-8: on POSIX systems, whatever the locale says, as nearly all of them now write
// texts; not on Windows, which hands a program its arguments in its own code page, taken as
// Windows-1252. A byte that starts no UTF-8 character is read as Windows-1252 anyway.
#ifdef _WIN32
inline constexpr bool systemTextsAreUtf8 = false;
#else
inline constexpr bool systemTextsAreUtf8 = true;
#endif

// Passes what is written on to `target` with each Windows-1252 byte as its character in UTF-8:
// messages, made in the directory's code page, for a system whose texts are UTF-8.
class Utf8MessageBuffer : public std::streambuf {
public:
    explicit Utf8MessageBuffer(std::streambuf* target) : target_(target) {}

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        const std::string utf8 = windows1252ToUtf8(std::string_view(bytes, static_cast<std::size_t>(count)));
        const auto size = static_cast<std::streamsize>(utf8.size());
        return target_->sputn(utf8.data(), size) == size ? count : 0;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    int sync() override { return target_->pubsync(); }

private:
    std::streambuf* target_;
};
