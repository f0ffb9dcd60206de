#include "support/FakeDocument.h"

#include "common/IError.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"

#include <cstdio>

bool CFakeDocument::latestRecord(CDiag& out) const {
    if (!newest)
        return false;
    out = *newest;
    return true;
}

bool CFakeDocument::command(const std::string& name) {
    sent.push_back(name);
    if (throwCode) {
        const int code = *throwCode;
        throwCode.reset();
        throw new IError(code, "port failed", __LINE__, __FILE__);
    }
    if (!failOn.empty() && name == failOn)
        return false;
    return commandsSucceed;
}

bool CFakeDocument::setInjectorMask(std::uint8_t mask) {
    char text[16];
    std::snprintf(text, sizeof text, "mask 0x%02X", mask);
    return command(text);
}

bool CFakeDocument::readErrorText(std::string& description) {
    if (!command("readErrors"))
        return false;
    description = errorText;
    return true;
}

bool CFakeDocument::connectAtStart() {
    sent.push_back("connectAtStart");
    connected = connectResult;
    return connected;
}

bool CFakeDocument::reconnect() {
    sent.push_back("reconnect");
    connected = reconnectResult;
    if (connected)
        startPolling();
    return connected;
}

std::string CFakeDocument::title() const {
    return CKorvantisDoc::titleFor(image.m_devInfo.m_version, cng, demo);
}

void CFakeDocument::startPolling() {
    ++polling;
    if (seams.timers)
        seams.timers->startDisplay();
}

void CFakeDocument::changeLanguage(int index) {
    languages.push_back(index);
    vexor::setCurrentLanguage(index);
    if (hooks.refresh)
        hooks.refresh();
}

bool CFakeDocument::readStatistic() {
    if (!command("readStatistic"))
        return false;
    image.m_devInfo.m_statistic = statistic;
    return true;
}

DocResult CFakeDocument::action(const std::string& name) {
    sent.push_back(name);
    return actionResult;
}

DocResult CFakeDocument::updateFirmware(std::function<void(int done, int total)> progress) {
    sent.push_back("updateFirmware");
    for (int done = 1; progress && done <= progressSteps; ++done)
        progress(done, progressSteps);
    return actionResult;
}

bool CFakeDocument::writeBlock(vexor::SettingBlock block) {
    using vexor::SettingBlock;
    switch (block) {
    case SettingBlock::Base:
        return command("writeBase");
    case SettingBlock::Adv:
        return command("writeAdv");
    case SettingBlock::AdvancedSetup:
        return command("writeAdvancedSetup");
    case SettingBlock::Sensors:
        return command("writeSensorsSetup");
    case SettingBlock::MainCorr:
        return command("writeMainCorr");
    case SettingBlock::SetupTimes:
        return command("writeSetupTimes");
    case SettingBlock::Map:
        return command("writeInjMap");
    default:
        return command("writeBlock");
    }
}
