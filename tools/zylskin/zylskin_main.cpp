// zylskin: draws the player's skin, about and icon pictures and writes them as PNG files.
//   zylskin output-folder

#include "tools/png_writer.h"
#include "tools/skin_pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zylskin output-folder\n", stderr);
        return 2;
    }
    for (const SkinPictureFile& file : SkinPictureFiles()) {
        const std::string path = std::string(argv[1]) + "/" + file.fileName;
        const CError error = WritePng(file.draw(), file.alpha, path.c_str());
        if (error.Failed()) {
            std::fprintf(stderr, "zylskin: %s\n", error.ErrorText().CStr());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
