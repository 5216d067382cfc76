#include "viewer/platform/gif_image_count.h"

#include <gif_lib.h>

namespace sorvath {

int countGifImages(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return -1;
    int images = 0;
    bool whole = false;
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    while (DGifGetRecordType(gif, &record) == GIF_OK) {
        if (record == TERMINATE_RECORD_TYPE) {
            whole = true;
            break;
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) != GIF_OK || DGifGetCode(gif, &code, &block) != GIF_OK) break;
            ++images;
        } else if (record == EXTENSION_RECORD_TYPE) {
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) break;
        } else {
            break;
        }
        // Skip the data sub-blocks as stored.
        bool ok = true;
        while (block != nullptr &&
               (ok = (record == IMAGE_DESC_RECORD_TYPE ? DGifGetCodeNext(gif, &block)
                                                       : DGifGetExtensionNext(gif, &block)) == GIF_OK)) {
        }
        if (!ok) break;
    }
    DGifCloseFile(gif, &error);
    return whole ? images : -1;
}

}  // namespace sorvath
