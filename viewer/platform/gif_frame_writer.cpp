#include "viewer/platform/gif_frame_writer.h"

#include <gif_lib.h>

#include <cstring>
#include <memory>
#include <unordered_map>

namespace sorvath {
namespace {

int tableSizeFor(size_t count) {
    int size = 2;
    while (static_cast<size_t>(size) < count) size *= 2;
    return size;
}

bool exactIndices(const QImage& image, IndexedPicture& picture) {
    const int width = picture.width;
    const int height = picture.height;
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    unsigned char* out = picture.pixels.data();
    // A drawn picture has a handful of colours: they are searched in the table itself,
    // and a map is built only when there are more. -1 when the table is full.
    constexpr size_t kSearched = 16;
    std::vector<QRgb>& colours = picture.colours;
    std::unordered_map<QRgb, int> index;
    const auto indexOf = [&colours, &index](QRgb colour) -> int {
        if (colours.size() <= kSearched) {
            for (size_t k = 0; k < colours.size(); ++k)
                if (colours[k] == colour) return static_cast<int>(k);
        } else if (const auto known = index.find(colour); known != index.end()) {
            return known->second;
        }
        if (colours.size() == 256) return -1;
        colours.push_back(colour);
        if (colours.size() == kSearched + 1)
            for (size_t k = 0; k < colours.size(); ++k) index.emplace(colours[k], static_cast<int>(k));
        else if (colours.size() > kSearched + 1)
            index.emplace(colour, static_cast<int>(colours.size() - 1));
        return static_cast<int>(colours.size() - 1);
    };
    // Drawn pictures run in long stretches of one colour: look up only where it changes
    // and fill each stretch at once.
    QRgb last = 0;
    int lastIndex = -1;
    for (int y = 0; y < height; ++y, out += width) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width;) {
            const QRgb colour = row[x] | 0xFF000000u;
            if (lastIndex < 0 || colour != last) {
                if ((lastIndex = indexOf(colour)) < 0) return false;
                last = colour;
            }
            int end = x + 1;
            while (end < width && (row[end] | 0xFF000000u) == last) ++end;
            std::memset(out + x, lastIndex, static_cast<size_t>(end - x));
            x = end;
        }
    }
    return true;
}

bool quantisedIndices(const QImage& image, IndexedPicture& picture) {
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    std::vector<GifByteType> red(count), green(count), blue(count);
    size_t k = 0;
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < picture.width; ++x, ++k) {
            red[k] = static_cast<GifByteType>(qRed(row[x]));
            green[k] = static_cast<GifByteType>(qGreen(row[x]));
            blue[k] = static_cast<GifByteType>(qBlue(row[x]));
        }
    }
    int size = 256;
    std::vector<GifColorType> map(256);
    picture.pixels.assign(count, 0);
    if (GifQuantizeBuffer(static_cast<unsigned>(picture.width), static_cast<unsigned>(picture.height), &size,
                          red.data(), green.data(), blue.data(), picture.pixels.data(), map.data()) != GIF_OK)
        return false;
    picture.colours.clear();
    for (int i = 0; i < size; ++i)
        picture.colours.push_back(
            qRgb(map[static_cast<size_t>(i)].Red, map[static_cast<size_t>(i)].Green, map[static_cast<size_t>(i)].Blue));
    picture.exact = false;
    return true;
}

// giflib's output function: the encoded bytes go into the std::string behind UserData.
int appendBytes(GifFileType* gif, const GifByteType* data, int size) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
    return size;
}

}  // namespace

IndexedPicture indexPicture(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    IndexedPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    if (!exactIndices(image, picture)) {
        picture.colours.clear();
        picture.pixels.clear();
        if (!quantisedIndices(image, picture)) return IndexedPicture{};
    }
    // The table is padded to a power of two with black entries no pixel uses.
    picture.colours.resize(static_cast<size_t>(tableSizeFor(picture.colours.size())), qRgb(0, 0, 0));
    return picture;
}

std::optional<std::string> encodeGif(const QImage& image) {
    const IndexedPicture picture = indexPicture(image);
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 65535 || picture.height > 65535)
        return std::nullopt;

    std::vector<GifColorType> entries;
    for (QRgb colour : picture.colours)
        entries.push_back(GifColorType{static_cast<GifByteType>(qRed(colour)), static_cast<GifByteType>(qGreen(colour)),
                                       static_cast<GifByteType>(qBlue(colour))});
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(static_cast<int>(entries.size()), entries.data()), GifFreeMapObject);
    if (!map) return std::nullopt;

    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
    if (gif == nullptr) return std::nullopt;
    bool written = EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map.get()) == GIF_OK &&
                   EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    auto* pixels = const_cast<GifPixelType*>(picture.pixels.data());
    for (int y = 0; written && y < picture.height; ++y)
        written = EGifPutLine(gif, pixels + static_cast<size_t>(y) * static_cast<size_t>(picture.width),
                              picture.width) == GIF_OK;
    if (EGifCloseFile(gif, &error) != GIF_OK) written = false;
    if (!written) return std::nullopt;
    return bytes;
}

FramePixels framePixels(const QImage& image) {
    return {image.width(), image.height(), static_cast<int>(image.bytesPerLine()),
            reinterpret_cast<const uint32_t*>(image.constBits())};
}

QImage imageOf(const FramePixels& picture) {
    if (picture.pixels == nullptr) return QImage();
    return QImage(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height, picture.bytesPerLine,
                  QImage::Format_RGB32);
}

}  // namespace sorvath
