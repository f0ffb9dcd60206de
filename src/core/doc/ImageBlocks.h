#pragma once

#include "device/SettingBlock.h"

#include <bitset>
#include <vector>

// Which blocks of the settings image hold what the controller sent. A block
// that was not read still holds defaults or an older controller's values, so
// nothing may treat it as the controller's.
class CImageBlocks {
public:
    void clear() { m_read.reset(); }
    void setAll() {
        for (const vexor::SettingBlock block : vexor::kImageReadOrder)
            set(block);
    }
    void set(vexor::SettingBlock block, bool read = true) { m_read.set(index(block), read); }
    bool has(vexor::SettingBlock block) const { return m_read.test(index(block)); }
    bool complete() const { return missing().empty(); }
    // The blocks of the whole-image read not read, in reading order.
    std::vector<vexor::SettingBlock> missing() const;

private:
    static std::size_t index(vexor::SettingBlock block) { return static_cast<std::size_t>(block); }
    std::bitset<vexor::kSettingBlockCount> m_read;
};
