// marivenn-demo ARCHIVE: composes the demo soundtrack and writes it as a pack archive.
#include <iostream>

#include "tools/DemoSoundtrack.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: marivenn-demo ARCHIVE\n";
        return 2;
    }
    Bytes archive;
    std::string error;
    if (!BuildDemoArchive(archive, error) || !WriteFileReplacing(argv[1], archive, error)) {
        std::cerr << "marivenn-demo: " << error << "\n";
        return 1;
    }
    return 0;
}
