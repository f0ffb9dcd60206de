#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A firmware image file (.img), read, checked and held in memory while the
// controller is programmed from it.
//
// Every byte of the file is stored rotated left by two bits. Unrotated, the
// file is a 40-byte header and L payload bytes:
//   0  u32 LE  L, the payload length (image size + 60)
//   4  u16 LE  firmware version (major in the high byte)
//   6  u16 LE  format tag, 0x0101 for the files the controller takes
//   8  10      free text, not examined
//   18 1       0
//   19 19      maker name, zero-terminated
//   38 u16 LE  checksum
// The payload is image bytes 0..8319, 60 filler bytes, then the rest of the
// image.
class CFirmwareFile {
public:
    static constexpr std::size_t kBufferSize = 0x16000;
    static constexpr std::size_t kHeaderSize = 40;
    static constexpr std::size_t kFillerOffset = 8320;
    static constexpr std::size_t kFillerSize = 60;
    // The payload must be longer than this: at least one byte behind the filler.
    static constexpr std::size_t kMinPayload = kFillerOffset + kFillerSize;
    // The whole payload is read into a buffer of kBufferSize bytes, so a file
    // that announces more is refused (its image could not be held anyway).
    static constexpr std::size_t kMaxPayload = kBufferSize;
    static constexpr std::size_t kPageSize = 128;
    static constexpr std::uint16_t kFormatTag = 0x0101;
    static constexpr std::size_t kMakerOffset = 19;
    static constexpr std::size_t kMakerFieldSize = 19;
    static constexpr std::size_t kTextOffset = 8;
    static constexpr std::size_t kTextFieldSize = 10;

    // Which check refused an image: the file itself here, the format tag and
    // the maker in the caller, which knows what the controller takes.
    enum class Refusal {
        None,
        Unreadable,   // missing, or no permission
        NotRegular,   // a directory, FIFO, device or socket
        ShortHeader,  // fewer than 40 bytes
        BadLength,    // the announced payload length is impossible
        ShortPayload, // fewer payload bytes than announced
        BadChecksum,
        BadFormatTag,
        WrongMaker,
    };
    // The Polish text that says which check failed (empty for None).
    static const char* refusalText(Refusal refusal);

    CFirmwareFile();
    ~CFirmwareFile();

    CFirmwareFile(const CFirmwareFile&) = delete;
    CFirmwareFile& operator=(const CFirmwareFile&) = delete;

    // Reads and checks the file. On success fills version, maker and formatTag
    // from the header; the caller decides whether tag and maker are acceptable.
    // A failed load leaves the object unloaded with an all-zero image.
    bool load(const std::string& path, std::uint16_t& version, std::string& maker,
              std::uint16_t& formatTag);

    bool loaded() const { return m_loaded; }
    // Why the last load failed (None after a successful one).
    Refusal refusal() const { return m_refusal; }
    // Why a file that could not be opened was refused (errno); 0 otherwise.
    int openError() const { return m_openError; }
    // load, then the format tag and the maker checks; refusal() says which
    // check failed.
    bool loadFor(const std::string& path, const std::string& expectedMaker, std::uint16_t& version);
    std::size_t imageSize() const { return m_imageSize; }
    // Number of 128-byte pages, the last one possibly partial.
    int pageCount() const { return m_pageCount; }
    // kBufferSize bytes; beyond imageSize() they are zero.
    const std::uint8_t* image() const { return m_image.get(); }

private:
    void reset();

    std::unique_ptr<std::uint8_t[]> m_image;
    std::size_t m_imageSize = 0;
    int m_pageCount = 0;
    bool m_loaded = false;
    Refusal m_refusal = Refusal::None;
    int m_openError = 0;
};

namespace vexor {

// The rotation every byte of an image file is stored with, and its inverse.
constexpr std::uint8_t firmwareStoredByte(std::uint8_t plain) {
    return static_cast<std::uint8_t>((plain << 2) | (plain >> 6));
}
constexpr std::uint8_t firmwarePlainByte(std::uint8_t stored) {
    return static_cast<std::uint8_t>((stored >> 2) | (stored << 6));
}

// The header checksum over unrotated bytes: (sum of the first L mod 65536
// payload bytes + 1) + (sum of the header with bytes 38..39 as 0 + 1), mod
// 65536. payload must hold at least L mod 65536 bytes.
std::uint16_t firmwareChecksum(const std::uint8_t header[CFirmwareFile::kHeaderSize],
                               const std::uint8_t* payload, std::uint32_t payloadLength);

} // namespace vexor
