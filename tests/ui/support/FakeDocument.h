#pragma once

#include "app/IDocumentPort.h"

#include <optional>
#include <string>
#include <vector>

// A scripted document: the test sets the connection, the image and the newest
// record, decides what each command answers, and reads back what was sent.
class CFakeDocument : public IDocumentPort {
public:
    // Commands in the order the windows sent them ("switchToLpg", "mask 0x05" ...).
    std::vector<std::string> sent;

    bool connected = false;
    bool demo = false;
    bool cng = false;
    bool service = false;
    std::string port = "/dev/pts/test";
    DeviceSettings image;
    std::optional<CDiag> newest;
    bool commandsSucceed = true;
    // When set, the next command throws a port error of this code.
    std::optional<int> throwCode;
    // A command of this name fails even when the others succeed.
    std::string failOn;
    bool connectResult = false;
    bool reconnectResult = false;
    std::string errorText;
    int polling = 0;
    std::vector<int> languages;
    Seams seams;
    SHooks hooks;

    void setSeams(const Seams& s) override { seams = s; }
    void setHooks(SHooks h) override { hooks = std::move(h); }
    std::string title() const override;
    bool isConnected() const override { return connected; }
    bool isDemo() const override { return demo; }
    std::string portName() const override { return port; }
    const DeviceSettings& settings() const override { return image; }
    bool isCng() const override { return cng; }
    void setCng(bool value) override { cng = value; }
    bool latestRecord(CDiag& out) const override;
    bool switchToLpg() override { return command("switchToLpg"); }
    bool switchToGasoline() override { return command("switchToGasoline"); }
    bool switchToAuto() override { return command("switchToAuto"); }
    bool waitForGasoline() override { return command("waitForGasoline"); }
    bool setInjectorMask(std::uint8_t mask) override;
    bool readErrorText(std::string& description) override;
    bool connectAtStart() override;
    bool reconnect() override;
    void startPolling() override;
    void stopPolling() override { --polling; }
    bool serviceAccess() const override { return service; }
    void grantServiceAccess() override { service = true; }
    void changeLanguage(int index) override;

    // What readStatistic puts into the image when it succeeds.
    DeviceSettings::Statistic statistic;
    // What the whole-image actions return; the firmware update reports
    // progressSteps pages through its progress callback.
    DocResult actionResult = DocResult::Done;
    int progressSteps = 3;
    DeviceSettings& editSettings() override { return image; }
    // Logged under the device's command name ("writeBase", ...).
    bool writeBlock(vexor::SettingBlock block) override;
    bool restart() override { return command("restart"); }
    bool readStatistic() override;
    DocResult readSettingsFile() override { return action("readSettingsFile"); }
    DocResult writeSettingsFile() override { return action("writeSettingsFile"); }
    DocResult restoreDefaults() override { return action("restoreDefaults"); }
    DocResult updateFirmware(std::function<void(int done, int total)> progress) override;

private:
    bool command(const std::string& name);
    DocResult action(const std::string& name);
};
