#include "doc/ImageBlocks.h"

std::vector<vexor::SettingBlock> CImageBlocks::missing() const {
    std::vector<vexor::SettingBlock> out;
    for (const vexor::SettingBlock block : vexor::kImageReadOrder) {
        if (!has(block))
            out.push_back(block);
    }
    return out;
}
