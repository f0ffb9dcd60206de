#include "doc/KorvantisDoc.h"

#include "common/IError.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "platform/PortTable.h"
#include "threads/LPGThreadManager.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

// Long pauses are cut into slices so the front end stays responsive.
constexpr std::chrono::milliseconds kPauseSlice{50};

} // namespace

CKorvantisDoc::CKorvantisDoc(ISerialPort* portOverride, CMultiThread* pool)
    : CLPGDevice(portOverride), m_pool(pool ? pool : &CLPGThreadManager::instance()),
      m_language(vexor::currentLanguage()) {}

CKorvantisDoc::~CKorvantisDoc() {
    m_poll.running = false;
    // The polling thread works on members of this object; it must be gone
    // before they are.
    while (!m_poll.waitIdle(kStopWait)) {
    }
}

// ---------------------------------------------------------------- state

std::string CKorvantisDoc::titleFor(std::int32_t version, bool cng, bool demo) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "VEXOR v %d.%01d", (version >> 8) & 0xFF, version & 0xFF);
    std::string title = buffer;
    title += cng ? " CNG" : " LPG";
    title += demo ? "     DEMO" : std::string(15, ' ');
    return title;
}

std::string CKorvantisDoc::title() const {
    return titleFor(settings().m_devInfo.m_version, m_cng, isDemo());
}

void CKorvantisDoc::setDataFolder(const std::string& folder) {
    m_folders = CWorkFolders(folder);
}

void CKorvantisDoc::setConfigFolder(const std::string& folder) {
    m_registry = CRegistryStore(folder);
}

std::string CKorvantisDoc::firmwareFolder() const {
    return m_firmwareFolder.empty() ? CWorkFolders::firmwareFolder() : m_firmwareFolder;
}

std::string CKorvantisDoc::portName() const {
    if (isDemo() || m_connectedPort <= 0)
        return {};
    return vexor::portPath(m_connectedPort);
}

void CKorvantisDoc::fuelTitleChanged(const std::string& fuel) {
    (void)fuel; // the title follows the module type the user chose, not the block
    callTitleHook();
}

void CKorvantisDoc::callTitleHook() const {
    if (m_titleHook)
        m_titleHook(title());
}

// ---------------------------------------------------------------- polling

void CKorvantisDoc::startPolling(const std::string& logPath) {
    launchPolling(logPath, false);
}

void CKorvantisDoc::resumePolling() {
    launchPolling(m_logPath, true);
}

void CKorvantisDoc::launchPolling(const std::string& logPath, bool append) {
    // The new run gets its full silence allowance before it counts as lost.
    m_poll.endedOnFailure = false;
    m_poll.lastRecordMs = CPollControl::nowMs();
    if (!liveDataAvailable()) {
        m_poll.running = false;
        return;
    }
    // A thread of an earlier run may still be inside its last read; two
    // pollers would both fill the history and the new one's file.
    if (pollingActive())
        stopPolling();

    m_poll.running = true;
    m_logPath = logPath;
    if (!append) {
        m_poll.recordedLines = 0;
        m_poll.recordLimit = m_recordLimit;
        m_poll.recordError = 0;
    }
    auto thread = std::make_unique<CDiagRSThread>(*this, logPath, m_poll, seams().timers,
                                                  vexor::SRecordUnits::fromSettings(settings()),
                                                  m_recordObserver, append);
    try {
        m_pool->add(std::move(thread));
    } catch (...) {
        m_poll.running = false;
        throw;
    }
    if (seams().timers)
        seams().timers->startDisplay();
}

void CKorvantisDoc::stopPolling() {
    m_poll.running = false;
    (void)m_poll.waitIdle(kStopWait);
}

// ---------------------------------------------------------------- language

bool CKorvantisDoc::changeLanguage(int index) {
    if (!vexor::setCurrentLanguage(index))
        return false;
    m_language = index;
    clearErrorDecoders();
    buildErrorDecoders();
    if (m_refreshHook)
        m_refreshHook();
    return true;
}

// ---------------------------------------------------------------- helpers

void CKorvantisDoc::reportError(const char* handler, std::unique_ptr<IError> error) {
    std::string text = handler;
    text += "\n";
    if (error)
        text += vexor::translate(error->description());
    if (m_writeUnderWay)
        text += "\n" + vexor::translate(m_writeUnderWay);
    m_writeUnderWay = nullptr;
    seams().message(text, IUserPrompt::Icon::Error);
}

void CKorvantisDoc::failedWrite(const char* polish) {
    std::string text = vexor::translate(polish);
    if (m_writeUnderWay)
        text += "\n" + vexor::translate(m_writeUnderWay);
    m_writeUnderWay = nullptr;
    seams().message(text, IUserPrompt::Icon::Error);
}

void CKorvantisDoc::message(const char* polish) const {
    showMessage(polish, IUserPrompt::Icon::Error);
}

void CKorvantisDoc::pause(std::chrono::milliseconds duration) const {
    const auto end = std::chrono::steady_clock::now() + duration;
    for (;;) {
        seams().pumpEvents();
        const auto now = std::chrono::steady_clock::now();
        if (now >= end)
            return;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(end - now, kPauseSlice));
    }
}
