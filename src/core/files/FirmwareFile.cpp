#include "files/FirmwareFile.h"

#include "platform/FileKind.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void unrotate(std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = vexor::firmwarePlainByte(bytes[i]);
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::uint16_t vexor::firmwareChecksum(const std::uint8_t header[CFirmwareFile::kHeaderSize],
                                      const std::uint8_t* payload, std::uint32_t payloadLength) {
    std::uint32_t payloadSum = 1;
    const std::uint32_t covered = payloadLength % 65536u;
    for (std::uint32_t i = 0; i < covered; ++i) {
        payloadSum += payload[i];
    }
    std::uint32_t headerSum = 1;
    for (std::size_t i = 0; i < 38; ++i) {
        headerSum += header[i];
    }
    return static_cast<std::uint16_t>(payloadSum + headerSum);
}

CFirmwareFile::CFirmwareFile() : m_image(new std::uint8_t[kBufferSize]()) {}

CFirmwareFile::~CFirmwareFile() = default;

void CFirmwareFile::reset() {
    std::memset(m_image.get(), 0, kBufferSize);
    m_imageSize = 0;
    m_pageCount = 0;
    m_loaded = false;
    m_refusal = Refusal::None;
}

const char* CFirmwareFile::refusalText(Refusal refusal) {
    switch (refusal) {
    case Refusal::None:
        return "";
    case Refusal::Unreadable:
        return "Nie można otworzyć pliku.";
    case Refusal::NotRegular:
        return vexor::notRegularMessage();
    case Refusal::ShortHeader:
        return "Plik jest krótszy niż nagłówek firmware.";
    case Refusal::BadLength:
        return "Nagłówek podaje niemożliwą długość danych.";
    case Refusal::ShortPayload:
        return "Plik jest krótszy niż podaje nagłówek.";
    case Refusal::BadChecksum:
        return "Suma kontrolna pliku się nie zgadza.";
    case Refusal::BadFormatTag:
        return "Nieznany format pliku firmware.";
    case Refusal::WrongMaker:
        return "Firmware jest przeznaczony dla innego producenta.";
    }
    return "";
}

bool CFirmwareFile::loadFor(const std::string& path, const std::string& expectedMaker,
                            std::uint16_t& version) {
    std::uint16_t tag = 0;
    std::string maker;
    if (!load(path, version, maker, tag))
        return false;
    Refusal refusal = Refusal::None;
    if (tag != kFormatTag)
        refusal = Refusal::BadFormatTag;
    else if (maker != expectedMaker)
        refusal = Refusal::WrongMaker;
    if (refusal == Refusal::None)
        return true;
    reset();
    m_refusal = refusal;
    return false;
}

bool CFirmwareFile::load(const std::string& path, std::uint16_t& version, std::string& maker,
                         std::uint16_t& formatTag) {
    reset();
    vexor::FileKind kind = vexor::FileKind::Missing;
    m_openError = 0;
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(vexor::openRegularForRead(path, &kind));
    if (!file) {
        m_openError = errno;
        m_refusal = kind == vexor::FileKind::Missing || kind == vexor::FileKind::Regular
                        ? Refusal::Unreadable
                        : Refusal::NotRegular;
        return false;
    }
    std::uint8_t header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, file.get()) != kHeaderSize) {
        m_refusal = Refusal::ShortHeader;
        return false;
    }
    unrotate(header, kHeaderSize);

    // The length is checked before anything is read, so no announced length
    // can make the read run past the buffer.
    const std::uint32_t length = le32(header);
    if (length <= kMinPayload || length > kMaxPayload) {
        m_refusal = Refusal::BadLength;
        return false;
    }
    std::vector<std::uint8_t> payload(length);
    if (std::fread(payload.data(), 1, length, file.get()) != length) {
        m_refusal = Refusal::ShortPayload;
        return false;
    }
    file.reset();
    unrotate(payload.data(), length);

    if (vexor::firmwareChecksum(header, payload.data(), length) != le16(header + 38)) {
        m_refusal = Refusal::BadChecksum;
        return false;
    }

    std::uint8_t* image = m_image.get();
    std::memcpy(image, payload.data(), kFillerOffset);
    std::memcpy(image + kFillerOffset, payload.data() + kMinPayload, length - kMinPayload);
    m_imageSize = length - kFillerSize;
    m_pageCount = static_cast<int>((m_imageSize + kPageSize - 1) / kPageSize);

    version = le16(header + 4);
    formatTag = le16(header + 6);
    // The name ends at its zero or at the end of its field, whichever is first.
    const char* name = reinterpret_cast<const char*>(header + kMakerOffset);
    maker.assign(name, strnlen(name, kMakerFieldSize));
    m_loaded = true;
    return true;
}
