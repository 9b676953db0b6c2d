#pragma once

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

// Memory for the large arrays a run fills once: the directory's bytes, its towers and the
// arrays of a sort. Touching a fresh page costs a fault of its own, which on a virtual machine
// takes longer than filling the page; pages taken here are all present from the start, in huge
// pages where the system has them.

// Memory made of huge pages where the system has them, all present before they are touched: one
// fault, or none, for 2 MiB instead of one for every 4 KiB. Bytes is a multiple of hugePageSize.
// Throws std::bad_alloc.
inline constexpr std::size_t hugePageSize = std::size_t{2} << 20;
void* takeHugePages(std::size_t bytes);
void giveHugePagesBack(void* start, std::size_t bytes) noexcept;

// Below this size the ordinary heap serves: its memory is mostly present already.
inline constexpr std::size_t smallestPageRun = std::size_t{64} << 10;

// Present memory for an array: from the heap when small, else from a pool of huge pages that
// keeps its pages for the next arrays. Throws std::bad_alloc.
void* allocatePresent(std::size_t bytes);
// Gives back what allocatePresent gave for the same number of bytes.
void freePresent(void* start, std::size_t bytes) noexcept;

// For the standard containers: std::vector<Tower, PresentAllocator<Tower>>. An element made
// without a value is default-initialised, as by make_unique_for_overwrite: a number or a byte is
// left as the memory holds it, for arrays that are filled whole before they are read.
template <typename T>
struct PresentAllocator {
    using value_type = T;

    PresentAllocator() = default;
    template <typename U>
    PresentAllocator(const PresentAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(allocatePresent(count * sizeof(T)));
    }
    void deallocate(T* start, std::size_t count) noexcept { freePresent(start, count * sizeof(T)); }

    template <typename U, typename... Arguments>
    void construct(U* at, Arguments&&... arguments)
    {
        if constexpr (sizeof...(Arguments) == 0)
            ::new (static_cast<void*>(at)) U;
        else
            ::new (static_cast<void*>(at)) U(std::forward<Arguments>(arguments)...);
    }

    template <typename U>
    friend bool operator==(const PresentAllocator&, const PresentAllocator<U>&)
    {
        return true;
    }
};

// Bytes read whole into present pages. The bytes keep their address when the vector moves.
using PresentBytes = std::vector<char, PresentAllocator<char>>;
