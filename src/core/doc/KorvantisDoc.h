#pragma once

#include "device/LPGDevice.h"
#include "doc/DocResult.h"
#include "doc/ImageBlocks.h"
#include "doc/LinkState.h"
#include "live/DiagRSThread.h"
#include "live/PollControl.h"
#include "platform/RegistryStore.h"
#include "platform/WorkFolders.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

class CMultiThread;
class IError;

// The program's one document: the device object (it *is* the CLPGDevice)
// plus what the whole program shares around it — connection set-up, live
// polling, the work folders, the module type, the service access flag, the
// language change, the window title, and the actions that change the settings
// image as a whole (load, save, factory defaults, firmware update).
//
// The document reaches the user only through the seams (setSeams): messages
// and questions through the prompt, paths through the file chooser, long
// waits through the event pump, the wait cursor through the busy cursor, the
// reconnect and display timers through the frame timers. What the window
// program must do afterwards (refresh texts, re-activate the page, retitle)
// it learns through the hooks below, all called on the calling thread except
// the record observer.
//
// Threads: everything runs on the user-interface thread except the polling
// thread that startPolling creates. Destroying the document stops polling and
// waits for that thread.
class CKorvantisDoc : public CLPGDevice {
public:
    using Hook = std::function<void()>;
    using TitleHook = std::function<void(const std::string& title)>;
    using LambdaTypeHook = std::function<void(int lambdaType)>;
    using RecordObserver = CDiagRSThread::RecordObserver;

    // How many ports the reconnect timer tries after the remembered one.
    static constexpr int kReconnectPorts = 7;
    // Period with which the front end re-arms the reconnect timer after a
    // failed attempt, and the first delay after the polling thread armed it.
    static constexpr std::chrono::milliseconds kReconnectRetry{5000};
    static constexpr std::chrono::milliseconds kReconnectFirst{1000};
    // The firmware update's pauses around entering programming and restarting.
    static constexpr std::chrono::milliseconds kProgrammingPause{500};
    // Longest wait of stopPolling for the polling thread: one live read with
    // its port time-out and the poll pause fit in it with room to spare.
    static constexpr std::chrono::milliseconds kStopWait{5000};

    // Texts of the messages the document shows (Polish, translated when shown).
    static constexpr const char* kMsgDemoQuestion =
        "Nie można połączyć się z modułem. Sprawdź okablowanie. Czy uruchomić w trybie demo?";
    static constexpr const char* kMsgVersionRead = "Nie powiodło się odczytanie wersji urządzenia!";
    static constexpr const char* kMsgSettingsRead =
        "Nie powiodło się wczytanie ustawień urządzenia!";
    static constexpr const char* kMsgFileRead = "Nie można wczytać ustawień z pliku";
    static constexpr const char* kMsgFileWrite =
        "Nie można wpisać ustawień do pliku z danymi samochodu";
    static constexpr const char* kMsgSetDevice = "Nie powiodło się ustawienie urządzenia!";
    static constexpr const char* kMsgDefaultsQuestion =
        "Czy chcesz przywrócić ustawienia fabryczne?";
    static constexpr const char* kMsgPetrol = "Nie powiodło się przełączenie na benzynę!";
    static constexpr const char* kMsgProgramming = "Nie powiodło się zaprogramowanie urządzenia!";
    static constexpr const char* kMsgImageIncomplete =
        "Nie wszystkie ustawienia zostały odczytane z urządzenia.";
    static constexpr const char* kMsgSaveIncomplete =
        "Nie wszystkie ustawienia zostały odczytane z urządzenia. Plik nie został zapisany.";
    // Added below a failure that cut a write short, with how to recover.
    static constexpr const char* kMsgHalfWritten =
        "Urządzenie zostało zapisane tylko częściowo. Powtórz tę samą operację, aby zapisać je "
        "w całości.";
    static constexpr const char* kMsgHalfProgrammed =
        "Urządzenie zostało zaprogramowane tylko częściowo. Zaprogramuj je ponownie tym samym "
        "plikiem.";
    static constexpr const char* kMsgDowngradeQuestion =
        "Wersja sterownika jest nowsza niż wersja pliku firmware.\n"
        "Czy chcesz zaprogramować sterownik starszą wersją?";

    // Report names of the actions, shown above a port error's description.
    static constexpr const char* kHandlerLoad = "CKorvantisDoc::OnFileReadSettings()";
    static constexpr const char* kHandlerSave = "CKorvantisDoc::OnFileWriteSettings()";
    static constexpr const char* kHandlerDefaults = "CKorvantisDoc::OnDefaultValues()";
    static constexpr const char* kHandlerUpdate = "CKorvantisDoc::OnDeviceUpdate()";
    static constexpr const char* kHandlerRestoreRaw = "CKorvantisDoc::OnRestoreRaw()";

    // portOverride: talk through this port instead of the document's own
    // serial port (tests); pool: where polling threads run (default: the
    // application's CLPGThreadManager).
    explicit CKorvantisDoc(ISerialPort* portOverride = nullptr, CMultiThread* pool = nullptr);
    ~CKorvantisDoc() override;

    // ---- program-wide state ----
    // Module type: false = LPG, true = CNG. Asked at every start.
    bool isCng() const { return m_cng; }
    void setCng(bool cng) { m_cng = cng; }
    // Set when the fitter entered the service password; gates the advanced
    // and map pages.
    bool serviceAccess() const { return m_serviceAccess; }
    void setServiceAccess(bool granted) { m_serviceAccess = granted; }
    // The interface language index (0..13) the document last switched to.
    int language() const { return m_language; }

    // "VEXOR v <major>.<minor>" + " CNG"/" LPG" + "     DEMO" or 15 blanks.
    static std::string titleFor(std::int32_t version, bool cng, bool demo);
    std::string title() const;

    // ---- folders and the remembered port ----
    // The data folder with settings/ and Oscyloskop/ (empty: the default).
    void setDataFolder(const std::string& folder);
    // The folder of the remembered-port file (empty: the default).
    void setConfigFolder(const std::string& folder);
    // Built afresh and created (failures ignored) on every call; trailing '/'.
    std::string dataFolder() const { return m_folders.dataFolder(); }
    std::string settingsFolder() const { return m_folders.settingsFolder(); }
    std::string oscilloscopeFolder() const { return m_folders.oscilloscopeFolder(); }
    // The firmware images that come with the program (share/vexor/Firmware/).
    std::string firmwareFolder() const;
    void setFirmwareFolder(const std::string& folder) { m_firmwareFolder = folder; }
    const CRegistryStore& registry() const { return m_registry; }
    // Path of the port the controller last answered on; empty before that and
    // in demonstration mode.
    std::string portName() const;

    // ---- hooks for the window program ----
    // After a language change and after the factory defaults: the view
    // re-applies its texts and values, the frame its menu and toolbar.
    void setRefreshHook(Hook hook) { m_refreshHook = std::move(hook); }
    // After a successful settings load or firmware update: the active page is
    // activated anew and updates its controls from the image.
    void setPageRefreshHook(Hook hook) { m_pageRefreshHook = std::move(hook); }
    // Whenever the title may have changed (an advanced-setup read, connect).
    void setTitleHook(TitleHook hook) { m_titleHook = std::move(hook); }
    // After readAll: the lambda sensor type for the lambda displays.
    void setLambdaTypeHook(LambdaTypeHook hook) { m_lambdaTypeHook = std::move(hook); }
    // Every delivered live record, on the polling thread. Taken by the next
    // startPolling; the observer must stay valid until polling has stopped.
    void setRecordObserver(RecordObserver observer) { m_recordObserver = std::move(observer); }
    // Pages programmed so far during a firmware update.
    void setProgressHook(ProgressFn hook) { m_progressHook = std::move(hook); }
    // Called by load and defaults once they are about to
    // change the controller's settings, before anything is sent, with the
    // image still as read from the controller. False stops the action with
    // FileError and nothing sent (the guard has said why).
    void setChangeGuard(std::function<bool()> guard) { m_changeGuard = std::move(guard); }

    // ---- connection set-up ----
    // Builds the error decoders, then tries the remembered port, then every
    // port of the table in order; when none answers, asks whether to run in
    // demonstration mode. True when connected (or in demo mode) afterwards.
    // In demonstration mode the ports are left alone.
    bool connect();
    // Opens and configures port n and reads the controller; on success the
    // port is remembered. Port errors become false.
    bool connectPort(int n);
    // Reads the whole controller state over the open port: handshake,
    // identity (a failure is reported, the link still counts), then every
    // settings block (each failure reported, the next one still read).
    // False only when the handshake fails.
    bool readAll();
    // The reconnect timer's work: the remembered port, then ports 1 to 7 of
    // the table; on success polling starts with the ordinary start. False
    // when no port answered (the front end re-arms its timer, kReconnectRetry).
    bool reconnect();
    // Enters demonstration mode without a question (the command line's --demo).
    void enterDemo();

    // ---- the state of the link ----
    // How long the live reads may fail before the link counts as lost: one
    // silent read and a little more, well inside two seconds.
    static constexpr std::chrono::milliseconds kSilenceLimit{1500};
    // Connected, lost, not (yet) connected or demo. A settings file open for
    // editing is the front end's matter.
    vexor::LinkState linkState() const;
    // The front end's display tick: a link that went silent, hung up or
    // failed counts as lost from now on, and isConnected() turns false so
    // every command is refused as "no connection" instead of failing on a
    // dead port. It turns true again when live records come back or a
    // reconnection reads the controller anew. Returns the state.
    vexor::LinkState watchLink();

    // ---- what the whole-image read really read ----
    // True when every block of the last whole-image read arrived (always in
    // demonstration mode). A block that failed keeps older values in the
    // image: it must not be saved, shown as the controller's, or written back.
    bool imageComplete() const;
    bool blockRead(vexor::SettingBlock block) const;
    const CImageBlocks& readBlocks() const { return m_readBlocks; }
    // Reads the whole image again over the open port (polling paused for it,
    // resumed afterwards when it ran). True when the image is complete
    // afterwards. A port error is thrown as by any device command.
    bool rereadImage();

    // ---- live polling ----
    // Starts a polling thread that records into logPath ("" records nothing)
    // and starts the display timer. Does nothing but clear the running flag
    // when the controller sends no live data. A run still going is stopped
    // first, so two threads never poll at once.
    void startPolling(const std::string& logPath = {});
    // Starts polling again after a reconnection: a recording of the run goes
    // on in the same file (appended to, never emptied).
    void resumePolling();
    // Clears the running flag and waits until the polling thread has ended.
    void stopPolling();
    bool isRunning() const { return m_poll.running.load(); }
    bool pollingActive() const { return m_poll.activeThreads() > 0; }
    const std::string& logPath() const { return m_logPath; }
    // Failed live reads in a row, over the whole program run.
    int pollFailures() const { return m_poll.failures.load(); }
    // The recording: at most this many lines from the next startPolling on
    // (0: no limit); lines written so far over the run and its reconnections;
    // the errno that stopped it (0: none, it is open or was never asked for).
    void setRecordLimit(long lines) { m_recordLimit = lines < 0 ? 0 : lines; }
    long recordedLines() const { return m_poll.recordedLines.load(); }
    int recordingError() const { return m_poll.recordError.load(); }

    // ---- whole-image actions ----
    // Asks for a settings file, loads it into a fresh image, copies what a
    // file may change into the device image and writes every block to the
    // controller (petrol first, restart last).
    DocResult OnFileReadSettings();
    // Stamps the time, asks for a path and writes the settings file.
    DocResult OnFileWriteSettings();
    // Asks, restores the factory settings in the image and the controller.
    DocResult OnDefaultValues();
    // Asks for a firmware image, checks it, asks before a downgrade, programs
    // the controller and connects again.
    DocResult OnDeviceUpdate();
    // Writes a backup's raw blocks back as they are, after the change guard:
    // petrol first, the order of a settings load, the restart last; then the
    // image is decoded from them. FileError, nothing sent, for an incomplete
    // raw image.
    DocResult OnRestoreRaw(const CRawImage& raw);
    // The language change: the current language, the fault decoders in it,
    // then the refresh hook. False (nothing changes) for an index outside 0..13.
    bool changeLanguage(int index);

protected:
    void fuelTitleChanged(const std::string& fuel) override;

private:
    // Shows handler + line break + the error's description, then drops it;
    // below it what a write cut short left behind, when one was under way.
    void reportError(const char* handler, std::unique_ptr<IError> error);
    void message(const char* polish) const;
    // The message, and what a write cut short left behind when one was under
    // way (then no longer under way).
    void failedWrite(const char* polish);
    void pause(std::chrono::milliseconds duration) const;
    void callTitleHook() const;
    DocResult loadSettings();
    DocResult restoreDefaults();
    DocResult updateFirmware();
    DocResult writeLoadedImage();
    DocResult restoreRaw(const CRawImage& raw);
    // Writes the image's blocks in `order` between the wait for petrol and
    // the restart; with clearMapBlock the controller clears its map instead
    // of being sent one.
    DocResult writeImage(std::span<const vexor::SettingBlock> order, bool clearMapBlock);
    void launchPolling(const std::string& logPath, bool append);
    // The polling run ended on a failure, or its reads have failed for
    // longer than kSilenceLimit.
    bool pollFailed() const;

    CMultiThread* m_pool;
    CPollControl m_poll;
    std::string m_logPath;
    long m_recordLimit = 0;
    // While a whole-image write or a programming run is under way: what to
    // tell the user when it is cut short (a kMsgHalf* text), else null.
    const char* m_writeUnderWay = nullptr;
    CWorkFolders m_folders;
    CRegistryStore m_registry;
    std::string m_firmwareFolder;
    int m_connectedPort = 0; // the port connectPort last succeeded on
    // Set by watchLink when the link failed, cleared when it answers again;
    // the time of the last live record then, to see a new one arrive.
    bool m_linkLost = false;
    long long m_lostAtRecordMs = 0;
    CImageBlocks m_readBlocks;
    bool m_cng = false;
    bool m_serviceAccess = false;
    int m_language = 0;

    Hook m_refreshHook;
    Hook m_pageRefreshHook;
    TitleHook m_titleHook;
    LambdaTypeHook m_lambdaTypeHook;
    RecordObserver m_recordObserver;
    ProgressFn m_progressHook;
    std::function<bool()> m_changeGuard;
};
