// Writes the sample directory: make_sample_directory [map.dat [vesk.txt]], by default the
// data folder's outline and data/vesk.txt relative to the working folder. With --stress it
// writes the benchmarks' 32767-tower directory instead, placed without a land test:
// make_sample_directory --stress - FILE.
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "geo/outline_loader.h"
#include "records/file_bytes.h"
#include "tools/sample_directory.h"
#include "tools/sample_settings.h"

namespace {

constexpr const char* usage =
    "usage: make_sample_directory [map.dat [vesk.txt]]   (default data/map.dat data/vesk.txt)\n"
    "       make_sample_directory --stress - FILE\n";

std::string directoryText(bool stress, const std::filesystem::path& mapPath)
{
    if (stress) return generateStressDirectory();
    const MapOutline outline = readOutlineFile(mapPath).outline;
    if (outline.layers.empty()) throw std::runtime_error("no outline in " + mapPath.string());
    return generateDirectory(sampleTowerCount, sampleSeed, outline);
}

}  // namespace

int main(int argc, char** argv)
{
    bool stress = false;
    std::filesystem::path mapPath = "data/map.dat";
    std::filesystem::path outputPath = "data/vesk.txt";
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::cout << usage;
            return 0;
        }
        if (argument == "--stress") stress = true;
        else if (positional++ == 0) mapPath = argument;
        else outputPath = argument;
    }
    try {
        replaceFileContents(outputPath, directoryText(stress, mapPath));
    } catch (const std::exception& failure) {
        std::cerr << "make_sample_directory: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
