#pragma once

#include <stdexcept>

// Thrown when a tower or a table text cannot be given a number because all 32767 are taken.
class LimitReached : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
