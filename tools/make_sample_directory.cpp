// Writes the sample directory: make_sample_directory [map.dat [vesk.txt]], by default the
// data folder's outline and data/vesk.txt relative to the working folder. With --stress it
// writes the benchmarks' 32767-tower directory instead, placed without a land test.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "geo/outline_loader.h"
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
        const MapOutline outline = loadOutline(mapPath);
        if (outline.layers.empty()) {
            std::cerr << "make_sample_directory: no outline in " << mapPath << '\n';
            return 1;
        }
        text = generateDirectory(sampleTowerCount, sampleSeed, outline);
    }

    // Written beside the target and renamed over it, so a failed run leaves the old file whole.
    const std::filesystem::path temporary = outputPath.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush()) {
            std::cerr << "make_sample_directory: cannot write " << temporary << '\n';
            return 1;
        }
    }
    std::filesystem::rename(temporary, outputPath);
    return 0;
}
