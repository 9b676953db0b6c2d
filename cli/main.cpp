#include <iostream>
#include <string>
#include <vector>

#include "cli/veskquery.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return runVeskQuery(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
