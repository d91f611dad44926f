// Writes a rich-text background with large PNG pictures (bench/picturertf.h):
//   picture_rtf OUT.rtf [COUNT [SIDE [WIDTH HEIGHT]]]
// COUNT pictures (default 4) of SIDE x SIDE pixels (default 5000), each
// drawn WIDTH x HEIGHT twips (default the text area of an A4 page).
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "picturertf.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc == 5 || argc > 6) {
    std::fprintf(stderr, "usage: picture_rtf OUT.rtf [COUNT [SIDE [WIDTH HEIGHT]]]\n");
    return 64;
  }
  const int count = argc > 2 ? std::atoi(argv[2]) : 4;
  const int side = argc > 3 ? std::atoi(argv[3]) : 5000;
  const std::string rtf = argc > 5 ? PictureRtf(count, side, std::atoi(argv[4]), std::atoi(argv[5]))
                                   : PictureRtf(count, side);
  std::ofstream out(argv[1], std::ios::binary);
  out << rtf;
  return out.flush() ? 0 : 1;
}
