// Decodes GIF bytes with giflib (DGifSlurp) into what a viewer would show
// per image: placement, resolved colours of every pixel and control values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gifengine::testing {

struct DecodedImage {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlace = false;
    std::vector<uint32_t> rgb;  // colour of every pixel through the image's table
    std::vector<uint8_t> indices;
    bool hasControl = false;
    int delay = 0, disposal = 0, transparentIndex = -1;
    friend bool operator==(const DecodedImage&, const DecodedImage&) = default;
};

struct DecodedGif {
    bool ok = false;
    std::string error;
    int screenWidth = 0, screenHeight = 0;
    std::vector<DecodedImage> images;
};

DecodedGif DecodeWithGiflib(const std::vector<uint8_t>& bytes);

}  // namespace gifengine::testing
