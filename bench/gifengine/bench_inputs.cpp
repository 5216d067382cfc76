#include "bench_inputs.h"

#include <cstdio>
#include <stdexcept>

#include "gif_builder.h"

namespace gifengine::testing {

std::vector<std::string> WriteInputFiles(const std::string& folder) {
    const std::vector<gifengine::testing::Colour> palette = gifengine::testing::MakePalette(8);
    std::vector<std::string> paths;
    uint32_t noise = 12345;
    for (int n = 0; n < kFileCount; ++n) {
        gifengine::testing::Image image;
        image.width = 320;
        image.height = 240;
        image.control = gifengine::testing::Control{1, false, false, 0, 5};
        image.pixels.resize(320 * 240);
        // Runs of a few pixels of one colour with noisy colour changes: LZW
        // compresses this to roughly 64 KB, like a busy photograph-like frame.
        uint8_t colour = 0;
        for (std::size_t p = 0; p < image.pixels.size(); ++p) {
            noise = noise * 1103515245u + 12345u;
            if ((noise >> 16) % 2 == 0) colour = uint8_t(noise >> 24);
            image.pixels[p] = colour;
        }
        char name[32];
        std::snprintf(name, sizeof name, "/in%04d.gif", n);
        const std::string path = folder + name;
        const auto bytes = gifengine::testing::GifBuilder().screen(320, 240).globalTable(palette).image(image).bytes();
        if (!gifengine::testing::WriteFile(path, bytes)) throw std::runtime_error("cannot write " + path);
        paths.push_back(path);
    }
    return paths;
}

}  // namespace gifengine::testing
