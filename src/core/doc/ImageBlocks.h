#pragma once

#include <bitset>
#include <cstddef>
#include <vector>

// The reads that make up the whole-image read at connection, in the order the
// controller is read.
enum class ImageBlock : unsigned {
    DevInfo,
    Sensors,
    Base,
    Adv,
    MainCorr,
    SetupTimes,
    InjMap,
    AdvancedSetup,
};

// Which blocks of the settings image hold what the controller sent. A block
// that was not read still holds defaults or an older controller's values, so
// nothing may treat it as the controller's.
class CImageBlocks {
public:
    static constexpr std::size_t kCount = 8;

    void clear() { m_read.reset(); }
    void setAll() { m_read.set(); }
    void set(ImageBlock block, bool read = true) { m_read.set(index(block), read); }
    bool has(ImageBlock block) const { return m_read.test(index(block)); }
    bool complete() const { return m_read.all(); }
    // The blocks not read, in reading order.
    std::vector<ImageBlock> missing() const;
    // The block's name as the settings file's keys start ("m_base", ...).
    static const char* name(ImageBlock block);

private:
    static std::size_t index(ImageBlock block) { return static_cast<std::size_t>(block); }
    std::bitset<kCount> m_read;
};
