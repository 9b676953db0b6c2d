#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Rows of a comma-separated reference table under tests/geo/data; lines starting with '#'
// describe it.
inline std::vector<std::vector<std::string>> readReferenceTable(const std::string& name)
{
    std::ifstream in(std::string(BELFRIX_SOURCE_DIR) + "/tests/geo/data/" + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream fieldsIn(line);
        std::string field;
        while (std::getline(fieldsIn, field, ',')) fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}
