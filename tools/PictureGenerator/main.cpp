// Draws every picture of the game with cairo and writes the PNG files and the texture list into a
// data directory. The output depends only on this source: fixed seeds, no clock.
// Usage: PictureGenerator DATA_DIR
//        PictureGenerator --contact DATA_DIR OUT.png   (all pictures on one sheet, for review)
//        PictureGenerator --icons FOLDER               (the desktop icons, zerathon-SIZE.png, zerathon.ico)
#include "TContactSheet.h"
#include "TIconArt.h"
#include "TPictureSet.h"
#include "TPictureWriter.h"

#include <cstdio>
#include <string>

int main(int Argc, char** Argv) {
    if (Argc == 4 && std::string(Argv[1]) == "--contact")
        return TContactSheet::Write(Argv[3], TPictureSet::All()) ? 0 : 1;
    if (Argc == 3 && std::string(Argv[1]) == "--icons")
        return TIconArt::WriteAll(Argv[2]) ? 0 : 1;
    if (Argc != 2) {
        std::fprintf(stderr,
                     "usage: PictureGenerator DATA_DIR\n       PictureGenerator --contact DATA_DIR OUT.png\n"
                     "       PictureGenerator --icons FOLDER\n");
        return 2;
    }
    return TPictureWriter::WriteAll(Argv[1], TPictureSet::All()) ? 0 : 1;
}
