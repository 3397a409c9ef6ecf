// marivenn-pack: packs module files and their titles into a soundtrack archive.
#include <iostream>

#include "tools/PackCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunPackTool(args, std::cout, std::cerr);
}
