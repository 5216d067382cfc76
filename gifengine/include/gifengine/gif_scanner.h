// Splits a GIF file into its images at block level, one image per call,
// without decoding any raster data.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gifengine/frame_record.h"
#include "gifengine/reporter.h"

namespace gifengine {

// Parse state of the file being loaded; reused for every file.
struct ScanState {
    std::array<uint8_t, 3> signature{};
    std::array<uint8_t, 3> version{};
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    uint8_t screenFlags = 0;
    uint8_t backgroundIndex = 0;
    uint8_t aspect = 0;
    uint16_t fileTableCount = 0;
    ColourTable fileTable{};
    bool controlPresent = false;
    ControlBlock control{};
    bool descriptorPresent = false;
    ImageDescriptor descriptor;
    uint16_t localTableCount = 0;
    ColourTable localTable{};
    bool applicationPresent = false;
    std::array<uint8_t, 8> applicationIdentifier{};
    std::array<uint8_t, 3> authenticationCode{};
    std::array<uint8_t, 256> firstApplicationSubBlock{};  // size byte + data
    uint16_t loopCount = 0;
    std::size_t rasterStart = 0;  // into the file buffer
    int32_t rasterLength = 0;
};

// Results of ScanNextImage.
inline constexpr int kScanImage = 0;
inline constexpr int kScanCannotRead = 1;
inline constexpr int kScanNotGif = 2;
inline constexpr int kScanEnd = -1;

class GifScanner {
public:
    explicit GifScanner(Reporter& reporter) : reporter_(reporter) {}

    // Reads the whole file into the buffer; 0 on success, 1 after its own message.
    int CopyAllFileToMemory(const std::string& path);
    // The images of the file at path, counted without a message (0 when it
    // cannot be read), and the images of the current file after the one just read.
    int CountImagesOf(const std::string& path);
    int CountRemainingImages();
    // Uses the given bytes as the file buffer (as if read from a file).
    void UseBytes(std::vector<uint8_t> bytes);
    // Next byte 0-255 and advance, or -1 at the end of the data.
    int NextByte();
    // 0 one more image read, 1 file unreadable (first), 2 not "GIF" (first),
    // -1 end of data (trailer, end of file, malformed block, unknown byte).
    int ScanNextImage(bool first);

    // Path that the next ScanNextImage(true) reads.
    std::string currentPath;
    // When false, ScanNextImage(true) keeps the buffer given by UseBytes.
    bool readFromFile = true;
    ScanState state;
    // Last comment found that is not the signature comment (bytes).
    std::string foundComment;

    const uint8_t* rasterData() const { return buffer_.data() + state.rasterStart; }

private:
    // Reads the whole file into the buffer; the reader's message when it cannot.
    std::optional<std::string_view> readWholeFile(const std::string& path);
    int readU16();
    bool skipSubBlocks();
    int readExtension();
    int readImage();
    void readTable(ColourTable& table, int count);

    Reporter& reporter_;
    std::vector<uint8_t> buffer_;
    std::size_t position_ = 0;
};

}  // namespace gifengine
