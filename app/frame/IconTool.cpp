// Build-time helper: writes the program's icon as a PNG of the given size (for the desktop).
#include "app/frame/AppIcon.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tamsel-icon FILE.png SIZE\n");
        return 2;
    }
    return tamsel::appIconImage(std::atoi(argv[2])).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
