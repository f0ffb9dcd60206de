#include "doc/ImageBlocks.h"

std::vector<ImageBlock> CImageBlocks::missing() const {
    std::vector<ImageBlock> out;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!m_read.test(i))
            out.push_back(static_cast<ImageBlock>(i));
    }
    return out;
}

const char* CImageBlocks::name(ImageBlock block) {
    switch (block) {
    case ImageBlock::DevInfo:
        return "m_devInfo";
    case ImageBlock::Sensors:
        return "m_sensorsSetup";
    case ImageBlock::Base:
        return "m_base";
    case ImageBlock::Adv:
        return "m_adv";
    case ImageBlock::MainCorr:
        return "m_mainCorr";
    case ImageBlock::SetupTimes:
        return "m_setupTimes";
    case ImageBlock::InjMap:
        return "m_injMapTable";
    case ImageBlock::AdvancedSetup:
        return "m_advancedSetup";
    }
    return "";
}
