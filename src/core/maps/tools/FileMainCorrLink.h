#pragma once

#include "maps/tools/IMainCorrDevice.h"

#include <functional>
#include <utility>

// The main correction tools on a settings file's image: a write is taken at
// once and only marks the file changed; nothing goes to a controller.
class CFileMainCorrLink : public IMainCorrDevice {
public:
    CFileMainCorrLink(DeviceSettings& image, std::function<void()> edited)
        : m_image(image), m_edited(std::move(edited)) {}

    DeviceSettings& settings() override { return m_image; }
    // The file is always there to take the change.
    bool isConnected() const override { return true; }
    bool writeMainCorr() override {
        if (m_edited)
            m_edited();
        return true;
    }

private:
    DeviceSettings& m_image;
    std::function<void()> m_edited;
};
