#pragma once

#include <cerrno>
#include <cstdio>
#include <streambuf>

// Hands whatever is written on to standard output as it comes, so that a long export is never
// held whole in memory, and keeps the first error that writing met.
class StandardOutputBuffer : public std::streambuf {
public:
    // The error that stopped the output, or 0; flushes what the C library still holds first.
    int finish()
    {
        sync();
        return error_;
    }

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        if (error_ != 0) return 0;
        errno = 0;
        if (std::fwrite(bytes, 1, static_cast<std::size_t>(count), stdout) != static_cast<std::size_t>(count)) {
            failed();
            return 0;
        }
        return count;
    }
    // A flush of the stream reaches the system, so that what follows on standard error comes after.
    int sync() override
    {
        if (error_ == 0 && std::fflush(stdout) != 0) failed();
        return error_ == 0 ? 0 : -1;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }

private:
    void failed() { error_ = errno != 0 ? errno : EIO; }

    int error_ = 0;
};
