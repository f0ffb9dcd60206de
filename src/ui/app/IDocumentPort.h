#pragma once

#include "device/DeviceSettings.h"
#include "device/Diag.h"
#include "device/SettingBlock.h"
#include "doc/DocResult.h"
#include "doc/LinkState.h"
#include "platform/Seams.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CJobSheetSession;
class CDriveHistory;
class CLPGDevice;
class COscilloscopeModel;
class CRawImage;

// What the windows need from the document: the connection, the settings image,
// the newest live record, the commands the view sends, start-up and reconnect,
// the service access flag and the language change. The windows never reach the
// document any other way (the feature models get the controller's commands
// here, nothing more), so tests can put a scripted document behind them. Each
// method answers one need; a new need is a new narrow method, not a way to
// the whole document.
//
// Commands return false when the controller refuses; a failing port throws an
// IError by pointer, which the calling handler reports.
class IDocumentPort {
public:
    // What the windows must do when the document changed something behind
    // them; each is called on the window thread.
    struct SHooks {
        // Texts and values of the view and the frame (after a language
        // change or the factory settings).
        std::function<void()> refresh;
        // The shown page anew from the image (after a settings load or a
        // firmware update).
        std::function<void()> pageRefresh;
        // The window title may have changed.
        std::function<void(const std::string& title)> title;
    };

    virtual ~IDocumentPort() = default;

    // How the document reaches the user and the frame's timers.
    virtual void setSeams(const Seams& seams) = 0;
    virtual void setHooks(SHooks hooks) = 0;

    // True while commands may go to the controller: connected (or demo)
    // and the link not lost.
    virtual bool isConnected() const = 0;
    virtual bool isDemo() const = 0;
    // The one answer every window shows about the link.
    virtual vexor::LinkState linkState() const {
        if (isOffline())
            return vexor::LinkState::OfflineFile;
        if (isDemo())
            return vexor::LinkState::Demo;
        return isConnected() ? vexor::LinkState::Connected : vexor::LinkState::NotConnected;
    }
    // The path of the port that answered (its stable by-id name when it has
    // one); empty when there is none.
    virtual std::string portName() const = 0;
    virtual const DeviceSettings& settings() const = 0;
    // "VEXOR v 2.9 LPG" and the demonstration marker (or its blanks).
    virtual std::string title() const = 0;

    // Module type: false = LPG, true = CNG.
    virtual bool isCng() const = 0;
    virtual void setCng(bool cng) = 0;

    // Copies the newest live record; false when the history is empty.
    virtual bool latestRecord(CDiag& out) const = 0;

    virtual bool switchToLpg() = 0;
    virtual bool switchToGasoline() = 0;
    virtual bool switchToAuto() = 0;
    // Switches to petrol and waits until the controller runs on it.
    virtual bool waitForGasoline() = 0;
    virtual bool setInjectorMask(std::uint8_t mask) = 0;
    // Reads the controller's fault bytes and describes them in the current
    // language; false when the read failed.
    virtual bool readErrorText(std::string& description) = 0;

    // The connection search at start, with the demonstration-mode question.
    virtual bool connectAtStart() = 0;
    // One reconnect attempt (remembered port, then the first ports); on
    // success live polling runs again.
    virtual bool reconnect() = 0;
    // Starts live polling with the ordinary log path and the display timer.
    virtual void startPolling() = 0;
    virtual void stopPolling() = 0;

    virtual bool serviceAccess() const = 0;
    virtual void grantServiceAccess() = 0;

    // The language change: the current language, the texts built from it
    // (fault descriptions), then the refresh hook.
    virtual void changeLanguage(int index) = 0;

    // ---- settings pages and dialogs ----
    // The image the pages change before they write the block that holds the
    // value (no roll-back: a refused write leaves the new value in the image).
    virtual DeviceSettings& editSettings() = 0;
    // Sends one block of the image to the controller; false when refused.
    virtual bool writeBlock(vexor::SettingBlock block) = 0;
    // Waits for petrol, then restarts the controller (for the settings it
    // takes only at start).
    virtual bool restart() = 0;
    // The work-time counters into m_devInfo.m_statistic.
    virtual bool readStatistic() = 0;

    // ---- automatic backups ----
    // Called before a change of the controller's settings is made, while the
    // image still holds what the controller has. Reason "edit": this
    // connection's first change takes a backup, later ones none; a
    // whole-image reason ("load", "defaults", "flash", "restore"): a backup
    // every time. A backup that cannot be written asks whether to go on
    // without one (default No). False: the change must not go ahead, nothing
    // has been sent. Demonstration mode takes none.
    virtual bool beforeChange(const char* reason) {
        (void)reason;
        return true;
    }
    // What the job sheets of this visit keep: the findings of each
    // controller at its connection. Null when nothing real stands behind.
    virtual CJobSheetSession* jobSheetSession() { return nullptr; }
    // The records polled on this connection, for a map proposal from "this
    // drive" (null when there are none to keep).
    virtual CDriveHistory* driveHistory() { return nullptr; }
    // The data folder that holds the backups ("" when there is none).
    virtual std::string dataFolder() const { return {}; }
    // Runs the page-refresh hook: the shown page anew from the image, after
    // settings were written behind the pages' back.
    virtual void refreshPages() {}

    // ---- what the feature models need of a controller ----
    // The controller's commands, for the models that talk to it request by
    // request (faults, OBD, maps, calibration, main correction, the
    // oscilloscope's traces, the job sheet's readings). Null where no
    // controller stands behind the port: a settings file is open, or a
    // scripted document stands in.
    virtual CLPGDevice* controller() { return nullptr; }
    enum class Folder {
        Data,       // the backups and the car history
        Settings,   // settings files
        Recordings, // the oscilloscope's recordings
        Config      // the workshop and the vehicle records
    };
    // A folder of the controller's document; "" where none stands behind
    // the port, except the configuration, which holds while a file is open
    // (as dataFolder() does).
    virtual std::string folder(Folder which) const {
        (void)which;
        return {};
    }

    // ---- the image as the last whole-image read left it ----
    // Every block arrived (always in demonstration mode): a block that failed
    // keeps older values, which must not be shown as the controller's nor
    // compared with a file. True where no controller stands behind.
    virtual bool imageComplete() const { return true; }
    virtual bool blockRead(vexor::SettingBlock block) const {
        (void)block;
        return true;
    }
    // The controller's blocks as their bytes arrived; null where no
    // controller stands behind.
    virtual const CRawImage* rawImage() const { return nullptr; }
    // Reads the whole image again; true when it is complete afterwards. A
    // port error is thrown.
    virtual bool rereadImage() { return false; }

    // ---- the live polling ----
    // False only while a controller stands behind and its polling thread
    // does not run (a firmware update stops it): what is shown is old.
    virtual bool isPolling() const { return true; }
    // The display tick's look at the link, which turns a silent one into a
    // lost one. True when the link is lost and no polling thread holds the
    // port any more, so a reconnect search may start.
    virtual bool watchLinkLost() { return false; }

    // ---- the oscilloscope's recording, which the live polling writes ----
    // Each is the model's step against the controller's document, and does
    // nothing where none stands behind.
    // The file polling records into now; "" while nothing is recorded.
    virtual std::string recordingPath() const { return {}; }
    // Tells a write error that stopped the model's recording; true when it told.
    virtual bool reportRecordingError(COscilloscopeModel& model) {
        (void)model;
        return false;
    }
    // Ends the recording and polls on without a file; pause also stops the
    // traces. The lines the recording holds.
    virtual std::optional<long> endRecording(COscilloscopeModel& model, bool pause) {
        (void)model;
        (void)pause;
        return std::nullopt;
    }
    // Asks for a file and records the live polling into it.
    virtual void startRecording(COscilloscopeModel& model) { (void)model; }
    // Asks for a recording to show; "" when cancelled.
    virtual std::string chooseRecording() { return {}; }

    // ---- a settings file edited without a controller ----
    // Opens the file: the pages then show and edit its image and nothing is
    // sent. False, with the problem in the user's language, when it cannot
    // be read; what was open stays open.
    virtual bool openFile(const std::string& path, std::string& problem) {
        (void)path;
        problem.clear();
        return false;
    }
    virtual bool isOffline() const { return false; }
    // The open file holds changes not yet saved.
    virtual bool fileModified() const { return false; }
    // Writes the open file back in place; says itself what failed.
    virtual bool saveFile() { return false; }
    // The controller's side while a file is open (to write the file's
    // settings into it); null when no file is open.
    virtual IDocumentPort* controllerPort() { return nullptr; }

    // ---- whole-image actions (they tell the user themselves) ----
    virtual DocResult readSettingsFile() = 0;
    virtual DocResult writeSettingsFile() = 0;
    virtual DocResult restoreDefaults() = 0;
    // Adds an event to the connected car's visit log; nothing where no
    // controller stands behind the port.
    virtual void recordVisit(const std::string& kind, const std::vector<std::string>& fields) {
        (void)kind;
        (void)fields;
    }
    // While a settings file is open: its image, for the tools that change it
    // in place (the map grid, the main correction), which call fileChanged()
    // after each change; null otherwise.
    virtual DeviceSettings* fileImage() { return nullptr; }
    virtual void fileChanged() {}
    // A backup's raw blocks written back as they are (backed up first, as a
    // restore); Cancelled where no controller stands behind the port.
    virtual DocResult restoreRaw(const CRawImage& raw) {
        (void)raw;
        return DocResult::Cancelled;
    }
    // progress(done, total) after every page sent; may be empty.
    virtual DocResult updateFirmware(std::function<void(int done, int total)> progress) = 0;
};
