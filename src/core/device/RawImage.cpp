#include "device/RawImage.h"

#include "device/BlockIds.h"
#include "device/codecs/BlockCodecs.h"

#include <algorithm>

namespace {

SRawBlock blockEntry(const char* name, const vexor::BlockId& id) {
    SRawBlock b;
    b.name = name;
    b.where = id.selector;
    b.writeCommand = id.writeCommand;
    b.bytes.resize(id.length);
    return b;
}

std::vector<SRawBlock> buildLayout() {
    SRawBlock map;
    map.name = "map";
    map.memory = true;
    map.where = vexor::kInjMapAddress;
    map.writeCommand = vexor::kWriteMemoryCommand;
    map.bytes.resize(vexor::kInjMapAreaLength);
    return {blockEntry("base", vexor::kBaseBlock),
            blockEntry("adv", vexor::kAdvBlock),
            blockEntry("maincorr", vexor::kMainCorrBlock),
            blockEntry("setuptimes", vexor::kSetupTimesBlock),
            map,
            blockEntry("advancedsetup", vexor::kAdvancedSetupBlock),
            blockEntry("sensors", vexor::kSensorsBlock),
            blockEntry("devinfo", vexor::kDevInfoBlock)};
}

} // namespace

const std::vector<SRawBlock>& CRawImage::layout() {
    static const std::vector<SRawBlock> table = buildLayout();
    return table;
}

const SRawBlock* CRawImage::layoutOf(const std::string& name) {
    for (const SRawBlock& b : layout()) {
        if (b.name == name)
            return &b;
    }
    return nullptr;
}

void CRawImage::store(const std::string& name, const std::uint8_t* bytes, std::size_t count) {
    const SRawBlock* entry = layoutOf(name);
    if (entry == nullptr || bytes == nullptr)
        return;
    forget(name);
    // Only the block's own length: a longer reply's tail is not what a write
    // carries back.
    if (count < entry->bytes.size())
        return;
    SRawBlock b = *entry;
    b.bytes.assign(bytes, bytes + b.bytes.size());
    m_blocks.push_back(std::move(b));
}

void CRawImage::forget(const std::string& name) {
    m_blocks.erase(std::remove_if(m_blocks.begin(), m_blocks.end(),
                                  [&](const SRawBlock& b) { return b.name == name; }),
                   m_blocks.end());
}

const SRawBlock* CRawImage::find(const std::string& name) const {
    for (const SRawBlock& b : m_blocks) {
        if (b.name == name)
            return &b;
    }
    return nullptr;
}

bool CRawImage::complete() const {
    return std::all_of(layout().begin(), layout().end(),
                       [&](const SRawBlock& b) { return find(b.name) != nullptr; });
}

std::vector<SRawBlock> CRawImage::blocks() const {
    std::vector<SRawBlock> out;
    for (const SRawBlock& entry : layout()) {
        if (const SRawBlock* held = find(entry.name))
            out.push_back(*held);
    }
    return out;
}

bool CRawImage::decodeInto(DeviceSettings& settings) const {
    if (!complete())
        return false;
    DeviceSettings out = settings;
    auto decode = [&](const char* name, auto fn) {
        const SRawBlock* b = find(name);
        return fn(b->bytes.data(), b->bytes.size(), out);
    };
    // The sensor types first: the base block's temperatures go through them.
    if (!decode("sensors", vexor::decodeSensorsSetup) || !decode("base", vexor::decodeBase) ||
        !decode("adv", vexor::decodeAdv) || !decode("maincorr", vexor::decodeMainCorr) ||
        !decode("setuptimes", vexor::decodeSetupTimes) || !decode("map", vexor::decodeInjMap) ||
        !decode("advancedsetup", vexor::decodeAdvancedSetup))
        return false;
    settings = std::move(out);
    return true;
}
