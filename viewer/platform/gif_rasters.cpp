#include "viewer/platform/gif_rasters.h"

#include "common/safe_output.h"

#include <gif_lib.h>

namespace sorvath {

GifRasterScanner::GifRasterScanner(const std::string& path) : path_(path) {
    toolkit::FileFailure failure;
    const int fd = toolkit::openRegularFile(path, failure);
    if (fd < 0) {
        problem_ = failure.message();
        return;
    }
    int error = 0;
    gif_ = DGifOpenFileHandle(fd, &error);  // takes the descriptor, also on failure
    if (gif_ == nullptr) fail();
}

GifRasterScanner::~GifRasterScanner() {
    int error = 0;
    if (gif_ != nullptr) DGifCloseFile(gif_, &error);
}

void GifRasterScanner::fail() {
    problem_ = path_ + " is not a whole GIF file";
    if (gif_ == nullptr) return;
    int error = 0;
    DGifCloseFile(gif_, &error);
    gif_ = nullptr;
}

bool GifRasterScanner::next(std::string& raster) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    while (gif_ != nullptr) {
        if (DGifGetRecordType(gif_, &record) != GIF_OK) break;
        if (record == TERMINATE_RECORD_TYPE) {
            int error = 0;
            DGifCloseFile(gif_, &error);
            gif_ = nullptr;
            return false;
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (record == EXTENSION_RECORD_TYPE) {
            bool ok = DGifGetExtension(gif_, &code, &block) == GIF_OK;
            while (ok && block != nullptr) ok = DGifGetExtensionNext(gif_, &block) == GIF_OK;
            if (!ok) break;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif_) != GIF_OK) break;
        // giflib hands out each data sub-block with its length byte in front.
        if (DGifGetCode(gif_, &code, &block) != GIF_OK) break;
        raster.assign(1, static_cast<char>(code));
        bool ok = true;
        while (ok && block != nullptr) {
            raster.append(reinterpret_cast<const char*>(block), static_cast<size_t>(block[0]) + 1);
            ok = DGifGetCodeNext(gif_, &block) == GIF_OK;
        }
        if (!ok) break;
        raster.push_back('\0');
        return true;
    }
    if (gif_ != nullptr) fail();
    return false;
}

}  // namespace sorvath
