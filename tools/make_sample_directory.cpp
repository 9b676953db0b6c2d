// Writes the sample directory: make_sample_directory [map.dat [vesk.txt]], by default the
// data folder's outline and data/vesk.txt relative to the working folder. With --stress it
// writes the benchmarks' 32767-tower directory instead, placed without a land test:
// make_sample_directory --stress - FILE.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "geo/outline_loader.h"
#include "records/file_bytes.h"
#include "tools/sample_directory.h"
#include "tools/sample_settings.h"

int main(int argc, char** argv)
{
    bool stress = false;
    std::filesystem::path mapPath = "data/map.dat";
    std::filesystem::path outputPath = "data/vesk.txt";
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--stress") stress = true;
        else if (positional++ == 0) mapPath = argument;
        else outputPath = argument;
    }

    std::string text;
    if (stress) {
        text = generateStressDirectory();
    } else {
        const MapOutline outline = readOutlineFile(mapPath).outline;
        if (outline.layers.empty()) {
            std::cerr << "make_sample_directory: no outline in " << mapPath << '\n';
            return 1;
        }
        text = generateDirectory(sampleTowerCount, sampleSeed, outline);
    }

    try {
        replaceFileContents(outputPath, text);
    } catch (const std::exception& failure) {
        std::cerr << "make_sample_directory: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
