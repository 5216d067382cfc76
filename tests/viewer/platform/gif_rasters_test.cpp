#include "viewer/platform/gif_rasters.h"
#include "viewer/platform/gif_frame_writer.h"

#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <string>
#include <vector>

namespace sorvath {
namespace {

using toolkit::testing::ScratchFolder;

QImage stripes(QRgb first, QRgb second) {
    QImage image(23, 9, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, (x + 2 * y) % 3 == 0 ? first : second);
    return image;
}

// A single-image file of encodeGif: header (6), screen (7), a two-entry colour table (6),
// image descriptor (10), the raster, trailer (1).
constexpr size_t kRasterStart = 6 + 7 + 6 + 10;

std::vector<std::string> scan(const std::string& path, std::string& problem) {
    GifRasterScanner scanner(path);
    std::vector<std::string> rasters;
    std::string raster;
    while (scanner.next(raster)) rasters.push_back(raster);
    problem = scanner.problem();
    return rasters;
}

TEST(GifRasters, GivesEveryImagesStoredRasterInFileOrderOrSaysWhyNot) {
    const std::string first = *encodeGif(stripes(qRgb(255, 0, 0), qRgb(0, 0, 255)));
    const std::string second = *encodeGif(stripes(qRgb(0, 0, 0), qRgb(255, 255, 255)).mirrored(true, false));
    const std::string firstRaster = first.substr(kRasterStart, first.size() - kRasterStart - 1);
    const std::string secondRaster = second.substr(kRasterStart, second.size() - kRasterStart - 1);
    ASSERT_NE(firstRaster, secondRaster);
    // Two images with a comment extension between them, as an animation holds them.
    const std::string animation = first.substr(0, first.size() - 1) +
                                  std::string(
                                      "\x21\xFE\x03"
                                      "abc\x00",
                                      7) +
                                  second.substr(kRasterStart - 10);

    ScratchFolder folder;
    const struct {
        const char* name;
        std::string bytes;  // not written when empty
        std::vector<std::string> rasters;
        std::string problem;  // after the path
    } cases[] = {
        {"two.gif", animation, {firstRaster, secondRaster}, ""},
        {"cut.gif", animation.substr(0, animation.size() - 5), {firstRaster}, " is not a whole GIF file"},
        {"text.gif", "not a picture", {}, " is not a whole GIF file"},
        {"missing.gif", "", {}, std::string(": ") + std::strerror(ENOENT)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.bytes.empty()) folder.write(c.name, c.bytes);
        std::string problem;
        EXPECT_EQ(scan(folder.file(c.name), problem), c.rasters);
        EXPECT_EQ(problem, c.problem.empty() ? "" : folder.file(c.name) + c.problem);
    }
}

}  // namespace
}  // namespace sorvath
