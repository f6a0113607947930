#pragma once

#include <cstddef>

namespace art {

// A bitmap file as the build embedded it from art/pictures.
struct PictureFile {
  const unsigned char* data;
  size_t size;
};

// image01.bmp, image02.bmp ..., by image number 1..board::kImageCount.
PictureFile ImageFile(int image);

}  // namespace art
