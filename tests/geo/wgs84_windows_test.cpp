// The Windows build has no PROJ: whatever needs a true WGS-84 place is told so.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "geo/wgs84.h"

namespace {

TEST(Wgs84WithoutProj, TheConverterSaysWhatNeedsProj)
{
    try {
        const Wgs84Converter toWgs84;
        FAIL() << "a converter was made without PROJ";
    } catch (const std::runtime_error& failure) {
        const std::string message = failure.what();
        for (const char* named : {"GPX", "GeoJSON", "OpenStreetMap", "PROJ"})
            EXPECT_NE(message.find(named), std::string::npos) << message;
    }
}

}  // namespace
