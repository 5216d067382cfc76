#include "viewer/platform/gif_frame_writer.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sorvath {
namespace {

namespace fs = std::filesystem;

// The drawing palette of the viewer's pictures.
const QRgb kPalette[] = {0xFFFFFFFF, 0xFF000000, 0xFF00C864, 0xFF808080, 0xFFFFE680, 0xFFFF0000, 0xFF0000FF};

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "gifwriterXXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// Writes the picture's GIF bytes; false when it has none.
bool writeGif(const QImage& picture, const std::string& path) {
    const std::optional<std::string> bytes = encodeGif(picture);
    if (bytes) std::ofstream(path, std::ios::binary) << *bytes;
    return bytes.has_value();
}

QImage palettePicture() {
    QImage image(61, 37, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, kPalette[(x * 3 + y * y) % 7]);
    return image;
}

QImage manyColourPicture() {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    return image;
}

// The decoded pixels of the first image as 0xFFRRGGBB values, read with giflib.
std::vector<QRgb> decodeWithGiflib(const std::string& path, int& width, int& height, int& imageCount, int& tableSize) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    std::vector<QRgb> pixels;
    if (gif == nullptr) return pixels;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& image = gif->SavedImages[0];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        width = image.ImageDesc.Width;
        height = image.ImageDesc.Height;
        imageCount = gif->ImageCount;
        tableSize = map ? map->ColorCount : 0;
        for (int k = 0; map && k < width * height; ++k) {
            const GifColorType c = map->Colors[image.RasterBits[k]];
            pixels.push_back(qRgb(c.Red, c.Green, c.Blue));
        }
    }
    DGifCloseFile(gif, &error);
    return pixels;
}

std::vector<QRgb> pixelsOf(const QImage& image) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y) | 0xFF000000u);
    return pixels;
}

// Raw RGB bytes of the GIF as ImageMagick decodes it; empty when convert fails.
std::string decodeWithImageMagick(const TempFolder& folder, const std::string& gif) {
    const std::string raw = folder.file("decoded.rgb");
    const std::string command = "convert '" + gif + "' -depth 8 'rgb:" + raw + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(raw, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string rgbBytes(const QImage& image) {
    std::string bytes;
    for (QRgb p : pixelsOf(image)) {
        bytes.push_back(static_cast<char>(qRed(p)));
        bytes.push_back(static_cast<char>(qGreen(p)));
        bytes.push_back(static_cast<char>(qBlue(p)));
    }
    return bytes;
}

TEST(GifFrameWriter, PalettePictureGetsTheExactTableOfItsColours) {
    const IndexedPicture indexed = indexPicture(palettePicture());
    EXPECT_TRUE(indexed.exact);
    ASSERT_EQ(indexed.colours.size(), 8u);  // seven colours padded to a power of two
    EXPECT_EQ(std::set<QRgb>(indexed.colours.begin(), indexed.colours.begin() + 7),
              std::set<QRgb>(std::begin(kPalette), std::end(kPalette)));
    QImage plain(3, 3, QImage::Format_RGB32);
    plain.fill(qRgb(1, 2, 3));
    EXPECT_EQ(indexPicture(plain).colours.size(), 2u);  // one colour: two entries
}

TEST(GifFrameWriter, PalettePictureRoundTripsExactlyThroughGiflibAndImageMagick) {
    TempFolder folder;
    const QImage picture = palettePicture();
    const std::string gif = folder.file("temp-101.gif");
    ASSERT_TRUE(writeGif(picture, gif));

    int width = 0, height = 0, images = 0, table = 0;
    EXPECT_EQ(decodeWithGiflib(gif, width, height, images, table), pixelsOf(picture));
    EXPECT_EQ(width, 61);
    EXPECT_EQ(height, 37);
    EXPECT_EQ(images, 1);
    EXPECT_EQ(decodeWithImageMagick(folder, gif), rgbBytes(picture));
}

TEST(GifFrameWriter, PictureWithMoreThan256ColoursGivesAValidQuantisedGif) {
    TempFolder folder;
    const QImage picture = manyColourPicture();
    const std::string gif = folder.file("many.gif");
    ASSERT_TRUE(writeGif(picture, gif));
    EXPECT_FALSE(indexPicture(picture).exact);

    int width = 0, height = 0, images = 0, table = 0;
    const std::vector<QRgb> decoded = decodeWithGiflib(gif, width, height, images, table);
    ASSERT_EQ(decoded.size(), 64u * 64u);
    EXPECT_LE(table, 256);
    // Median cut keeps every pixel near its colour, and most of them close.
    const std::vector<QRgb> original = pixelsOf(picture);
    double totalError = 0.0;
    for (size_t k = 0; k < decoded.size(); ++k) {
        const int error = std::abs(qRed(decoded[k]) - qRed(original[k])) +
                          std::abs(qGreen(decoded[k]) - qGreen(original[k])) +
                          std::abs(qBlue(decoded[k]) - qBlue(original[k]));
        EXPECT_LE(error, 96) << k;
        totalError += error;
    }
    EXPECT_LT(totalError / static_cast<double>(decoded.size()), 30.0);
    EXPECT_EQ(decodeWithImageMagick(folder, gif).size(), 64u * 64u * 3u);
}

TEST(GifFrameWriter, TheConverterTakesThePicturesPixelsAsTheExportHandsThemOver) {
    const QImage picture = palettePicture();
    const FramePixels pixels = framePixels(picture);
    EXPECT_EQ(pixels.width, picture.width());
    EXPECT_EQ(pixels.height, picture.height());
    EXPECT_EQ(imageOf(pixels), picture);
    GifFrameConverter converter;
    EXPECT_EQ(converter.convert(pixels), encodeGif(picture));
    EXPECT_EQ(converter.convert(FramePixels{}), std::nullopt);
}

TEST(GifFrameWriter, PicturesWithoutPixelsOrTooLargeForGifGiveNoFile) {
    EXPECT_EQ(encodeGif(QImage()), std::nullopt);
    EXPECT_EQ(encodeGif(QImage(70000, 1, QImage::Format_RGB32)), std::nullopt);
}

}  // namespace
}  // namespace sorvath
