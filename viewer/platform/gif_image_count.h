// Counting the images of a GIF file without decoding their rasters.
#pragma once

#include <string>

namespace sorvath {

// The number of images in the file; -1 when it is missing or not a whole GIF file.
int countGifImages(const std::string& path);

}  // namespace sorvath
