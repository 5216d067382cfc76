#include "giflib_decode.h"

#include <gif_lib.h>

#include <cstring>

namespace gifengine::testing {

namespace {

struct MemoryInput {
    const std::vector<uint8_t>* bytes;
    std::size_t position;
};

int ReadFromMemory(GifFileType* file, GifByteType* out, int wanted) {
    auto* input = static_cast<MemoryInput*>(file->UserData);
    const std::size_t left = input->bytes->size() - input->position;
    const std::size_t n = std::min<std::size_t>(left, std::size_t(wanted));
    std::memcpy(out, input->bytes->data() + input->position, n);
    input->position += n;
    return int(n);
}

}  // namespace

DecodedGif DecodeWithGiflib(const std::vector<uint8_t>& bytes) {
    DecodedGif result;
    MemoryInput input{&bytes, 0};
    int error = 0;
    GifFileType* file = DGifOpen(&input, ReadFromMemory, &error);
    if (file == nullptr) {
        result.error = GifErrorString(error);
        return result;
    }
    if (DGifSlurp(file) != GIF_OK) {
        result.error = GifErrorString(file->Error);
        DGifCloseFile(file, &error);
        return result;
    }
    result.screenWidth = file->SWidth;
    result.screenHeight = file->SHeight;
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage& saved = file->SavedImages[i];
        DecodedImage image;
        image.left = saved.ImageDesc.Left;
        image.top = saved.ImageDesc.Top;
        image.width = saved.ImageDesc.Width;
        image.height = saved.ImageDesc.Height;
        image.interlace = saved.ImageDesc.Interlace;
        const ColorMapObject* map = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : file->SColorMap;
        const std::size_t count = std::size_t(image.width) * std::size_t(image.height);
        image.indices.assign(saved.RasterBits, saved.RasterBits + count);
        for (uint8_t index : image.indices) {
            if (map == nullptr || index >= map->ColorCount) {
                image.rgb.push_back(0xFF000000u);
            } else {
                const GifColorType& c = map->Colors[index];
                image.rgb.push_back((uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue);
            }
        }
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(file, i, &control) == GIF_OK) {
            bool found = false;
            for (int e = 0; e < saved.ExtensionBlockCount; ++e) {
                found = found || saved.ExtensionBlocks[e].Function == GRAPHICS_EXT_FUNC_CODE;
            }
            image.hasControl = found;
            image.delay = control.DelayTime;
            image.disposal = control.DisposalMode;
            image.transparentIndex = control.TransparentColor;
        }
        result.images.push_back(std::move(image));
    }
    result.ok = true;
    DGifCloseFile(file, &error);
    return result;
}

}  // namespace gifengine::testing
