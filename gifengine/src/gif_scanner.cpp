#include "gifengine/gif_scanner.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "common/safe_output.h"
#include "gifengine/messages.h"

namespace gifengine {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool ReadFully(int fd, uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += std::size_t(got);
    }
    return true;
}

}  // namespace

int GifScanner::CopyAllFileToMemory(const std::string& path) {
    const std::optional<std::string_view> failure = readWholeFile(path);
    if (!failure) return 0;
    reporter_.ShowMessage(text::kCaptionFileReader, *failure, MessageButtons::Ok);
    return 1;
}

std::optional<std::string_view> GifScanner::readWholeFile(const std::string& path) {
    auto fail = [](std::string_view text) { return std::optional<std::string_view>(text); };
    // Only a regular file is read: a FIFO or a device is refused at once
    // instead of waiting in open() for a writer that never comes.
    toolkit::FileFailure failure;
    FileDescriptor file(toolkit::openRegularFile(path, failure));
    if (file.get() < 0) return fail(failure.error == EISDIR ? text::kReadError : text::kCannotOpen);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return fail(text::kReadError);
    const auto length = std::size_t(info.st_size < 0 ? 0 : info.st_size);
    position_ = 0;
    try {
        // The buffer keeps its capacity between files, so a run of loads
        // does not allocate again for files of similar size.
        buffer_.resize(length);
    } catch (const std::bad_alloc&) {
        buffer_.clear();
        buffer_.shrink_to_fit();
        return fail(text::kCannotAllocate);
    }
    if (!ReadFully(file.get(), buffer_.data(), length)) {
        buffer_.clear();
        return fail(text::kReadError);
    }
    return std::nullopt;
}

int GifScanner::CountImagesOf(const std::string& path) {
    if (readWholeFile(path)) return 0;
    const bool fromFile = readFromFile;
    readFromFile = false;
    int count = 0;
    for (bool first = true; ScanNextImage(first) == kScanImage; first = false) ++count;
    readFromFile = fromFile;
    return count;
}

int GifScanner::CountRemainingImages() {
    int count = 0;
    while (ScanNextImage(false) == kScanImage) ++count;
    return count;
}

void GifScanner::UseBytes(std::vector<uint8_t> bytes) {
    buffer_ = std::move(bytes);
    position_ = 0;
}

int GifScanner::NextByte() {
    if (position_ >= buffer_.size()) return -1;
    return buffer_[position_++];
}

int GifScanner::readU16() {
    const int low = NextByte();
    const int high = NextByte();
    if (low < 0 || high < 0) return -1;
    return low | (high << 8);
}

bool GifScanner::skipSubBlocks() {
    for (;;) {
        const int size = NextByte();
        if (size < 0) return false;
        if (size == 0) return true;
        if (buffer_.size() - position_ < std::size_t(size)) {
            position_ = buffer_.size();
            return false;
        }
        position_ += std::size_t(size);
    }
}

void GifScanner::readTable(ColourTable& table, int count) {
    for (int k = 0; k < count; ++k) {
        Rgb& entry = table[std::size_t(k)];
        entry.r = uint8_t(NextByte());
        entry.g = uint8_t(NextByte());
        entry.b = uint8_t(NextByte());
    }
}

// Reads one extension after its 0x21; 0 to go on, -1 to end the scan.
int GifScanner::readExtension() {
    const int label = NextByte();
    if (label < 0) return -1;
    if (label == 0xF9) {
        state.controlPresent = true;
        if (NextByte() != 4) return -1;
        int fields[4];
        for (int& field : fields) {
            field = NextByte();
            if (field < 0) return -1;
        }
        state.control = {
            0x21, 0xF9, 0x04, uint8_t(fields[0]), uint8_t(fields[1]), uint8_t(fields[2]), uint8_t(fields[3]), 0x00};
        return NextByte() < 0 ? -1 : 0;  // block terminator, value not checked
    }
    if (label == 0xFE) {
        std::string comment;
        for (;;) {
            const int size = NextByte();
            if (size < 0) return -1;
            if (size == 0) break;
            if (buffer_.size() - position_ < std::size_t(size)) return -1;
            for (int k = 0; k < size; ++k) {
                const uint8_t byte = buffer_[position_++];
                if (byte != 0) comment.push_back(char(byte));
            }
        }
        if (comment != text::kSignatureComment) foundComment = std::move(comment);
        return 0;
    }
    if (label == 0xFF) {
        state.applicationPresent = true;
        if (NextByte() != 11) return -1;
        for (auto& byte : state.applicationIdentifier) {
            const int value = NextByte();
            if (value < 0) return -1;
            byte = uint8_t(value);
        }
        for (auto& byte : state.authenticationCode) {
            const int value = NextByte();
            if (value < 0) return -1;
            byte = uint8_t(value);
        }
        const int size = NextByte();
        if (size < 0) return -1;
        state.firstApplicationSubBlock.fill(0);
        state.firstApplicationSubBlock[0] = uint8_t(size);
        if (buffer_.size() - position_ < std::size_t(size)) return -1;
        std::memcpy(state.firstApplicationSubBlock.data() + 1, buffer_.data() + position_, std::size_t(size));
        position_ += std::size_t(size);
        if (std::memcmp(state.applicationIdentifier.data(), "NETSCAPE", 8) == 0) {
            state.loopCount = uint16_t(state.firstApplicationSubBlock[2] | (state.firstApplicationSubBlock[3] << 8));
        }
        if (size == 0) return 0;  // that was the terminator
        return skipSubBlocks() ? 0 : -1;
    }
    // Plain text and every other extension: content dropped.
    return skipSubBlocks() ? 0 : -1;
}

int GifScanner::readImage() {
    state.descriptorPresent = true;
    int fields[4];
    for (int& field : fields) {
        field = readU16();
        if (field < 0) return -1;
    }
    const int packed = NextByte();
    if (packed < 0) return -1;
    state.descriptor = ImageDescriptor{
        0x2C, uint16_t(fields[0]), uint16_t(fields[1]), uint16_t(fields[2]), uint16_t(fields[3]), uint8_t(packed)};
    if (packed & 0x80) {
        state.localTableCount = uint16_t(2 << (packed & 7));
        if (buffer_.size() - position_ < std::size_t(state.localTableCount) * 3) return -1;
        readTable(state.localTable, state.localTableCount);
    } else {
        state.localTableCount = 0;
    }
    state.rasterStart = position_;
    if (NextByte() < 0) return -1;  // LZW minimum code size
    if (!skipSubBlocks()) return -1;
    state.rasterLength = int32_t(position_ - state.rasterStart);
    return kScanImage;
}

int GifScanner::ScanNextImage(bool first) {
    if (first) {
        if (readFromFile) {
            if (CopyAllFileToMemory(currentPath) != 0) return kScanCannotRead;
        } else {
            position_ = 0;
        }
        state.fileTableCount = 0;
        state.localTableCount = 0;
        state.controlPresent = false;
        state.descriptorPresent = false;
        state.applicationPresent = false;
        state.loopCount = 0;
        for (auto& byte : state.signature) byte = uint8_t(NextByte());  // missing byte reads as 0xFF
        if (std::memcmp(state.signature.data(), "GIF", 3) != 0) return kScanNotGif;
        for (auto& byte : state.version) byte = uint8_t(NextByte());
        state.screenWidth = uint16_t(readU16());
        state.screenHeight = uint16_t(readU16());
        state.screenFlags = uint8_t(NextByte());
        state.backgroundIndex = uint8_t(NextByte());
        state.aspect = uint8_t(NextByte());
        if (state.screenFlags & 0x80) {
            state.fileTableCount = uint16_t(2 << (state.screenFlags & 7));
            readTable(state.fileTable, state.fileTableCount);
        }
    } else {
        state.localTableCount = 0;
        state.controlPresent = false;
        state.descriptorPresent = false;
    }
    for (;;) {
        const int byte = NextByte();
        if (byte == 0x21) {
            if (readExtension() != 0) return kScanEnd;
        } else if (byte == 0x2C) {
            return readImage();
        } else {
            return kScanEnd;  // end of file, trailer or an unknown byte
        }
    }
}

}  // namespace gifengine
