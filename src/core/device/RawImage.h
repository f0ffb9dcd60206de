#pragma once

#include "device/DeviceSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The settings blocks exactly as the controller holds them, beside the
// decoded image: the image keeps values as the pages show them (whole
// seconds, degrees through the sensor table), which cannot always be turned
// back into the same bytes. A block is kept from a successful read, replaced
// by the payload of a successful write and forgotten when a write fails or
// the controller changes it by itself (map region operations).
struct SRawBlock {
    std::string name;                // "devinfo", "base", ..., "map"
    bool memory = false;             // a memory area rather than a block
    std::uint16_t where = 0;         // read selector of a block, address of an area
    std::uint8_t writeCommand = 0;   // 0: read only
    std::vector<std::uint8_t> bytes; // the payload (a block) or the area
};

class CRawImage {
public:
    // The blocks a restore writes, in the order a settings load writes them,
    // then the identity block (read only).
    static const std::vector<SRawBlock>& layout();
    // The layout entry of a name; null for a name that is not one.
    static const SRawBlock* layoutOf(const std::string& name);

    void store(const std::string& name, const std::uint8_t* bytes, std::size_t count);
    void forget(const std::string& name);
    void clear() { m_blocks.clear(); }
    const SRawBlock* find(const std::string& name) const;
    // Every block of the layout is held.
    bool complete() const;
    // The held blocks in layout order.
    std::vector<SRawBlock> blocks() const;
    // The settings blocks and the map decoded into an image as a read would
    // (the identity block is left alone). False, image untouched, unless
    // complete and every block decodes.
    bool decodeInto(DeviceSettings& settings) const;

private:
    std::vector<SRawBlock> m_blocks;
};
