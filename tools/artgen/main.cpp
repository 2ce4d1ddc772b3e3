// artgen: draws the program's icon and its two title-strip pictures and
// writes them into the given folder (normally app/res).
#include "artwork.hpp"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: artgen OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        artgen::writeArtwork(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
