#include "CliCommands.h"
#include "CliFormat.h"
#include "lang/Translate.h"
#include "platform/AtomicFile.h"
#include "platform/FileKind.h"
#include "platform/StationCode.h"
#include "platform/WorkFolders.h"
#include "report/BackupBaseline.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetCollector.h"
#include "report/JobSheetHtml.h"
#include "report/JobSheetPhrases.h"
#include "report/Workshop.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#ifdef VEXOR_HAVE_PDF
#include "PagedHtml.h"

#include <QGuiApplication>
#endif

using namespace vexor::cli;

namespace {

constexpr const char* kMsgReportWrite = "Nie można zapisać karty zlecenia do pliku";

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool writeHtml(const std::string& path, const std::string& html, std::string& error) {
    CAtomicFile file;
    if (!file.open(path)) {
        error = path + ": " + std::strerror(file.error());
        return false;
    }
    errno = 0;
    if (std::fwrite(html.data(), 1, html.size(), file.stream()) != html.size()) {
        error = path + ": " + std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    if (!file.commit()) {
        error = path + ": " + std::strerror(file.error());
        return false;
    }
    return true;
}

#ifdef VEXOR_HAVE_PDF
// Qt's text engine needs a GUI application object, but no display: the
// offscreen platform lays out and paints with the system's fonts.
bool writePdfFile(const std::string& path, const std::string& html, std::string& error) {
    if (QGuiApplication::instance())
        return vexor::print::writePdf(html, vexor::translate(vexor::jobsheet::kTitle), path, error);
    static char name[] = "vexor-cli";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    char* argv[] = {name, platformOption, platform, nullptr};
    int argc = 3;
    // Qt's own notes (a missing runtime folder, font fallbacks) are no
    // message of this program: stderr carries only those.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    return vexor::print::writePdf(html, vexor::translate(vexor::jobsheet::kTitle), path, error);
}
#endif

} // namespace

namespace {

// "--vehicle KEY=VALUE" (or "--vehicle=KEY=VALUE"), repeatable, and one
// FILE. False with the reason when the arguments are not that.
bool reportArgs(const std::vector<std::string>& args, std::string& path,
                std::vector<std::pair<std::string, std::string>>& vehicle, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string pair;
        if (args[i] == "--vehicle") {
            if (i + 1 >= args.size()) {
                error = "--vehicle needs KEY=VALUE";
                return false;
            }
            pair = args[++i];
        } else if (args[i].rfind("--vehicle=", 0) == 0) {
            pair = args[i].substr(10);
        } else if (path.empty() && !args[i].empty()) {
            path = args[i];
            continue;
        } else {
            error = "report needs one FILE ending in .pdf or .html";
            return false;
        }
        const std::size_t equals = pair.find('=');
        SVehicleRecord probe;
        if (equals == std::string::npos ||
            !vexor::setVehicleField(probe, pair.substr(0, equals), "")) {
            error = "--vehicle needs KEY=VALUE with KEY one of make, model, registration, "
                    "odometer, customer, work";
            return false;
        }
        vehicle.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
    }
    if (path.empty()) {
        error = "report needs one FILE ending in .pdf or .html";
        return false;
    }
    return true;
}

} // namespace

int CCliCommands::cmdReport(const Args& args) {
    std::string path;
    std::vector<std::pair<std::string, std::string>> entered;
    std::string problem;
    if (!reportArgs(args, path, entered, problem))
        return usage(problem);
    const std::string ext = lowerExtension(path);
    if (ext != ".pdf" && ext != ".html")
        return usage("report writes .pdf or .html, not " + (ext.empty() ? path : ext));
#ifndef VEXOR_HAVE_PDF
    if (ext == ".pdf")
        return usage("this vexor-cli was built without PDF output; write .html");
#endif
    // A file that cannot be written is refused before the controller is
    // touched, the same way for both formats: only a regular file or nothing
    // yet is replaced (a FIFO would hang the write with the port held, a link
    // to a device or to nowhere would swallow or scatter the sheet).
    if (!vexor::replaceableTarget(path)) {
        fileRefusal(kMsgReportWrite, vexor::translate(vexor::notRegularMessage()) + " " + path);
        return kExitUsage;
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) {
        fileRefusal(kMsgReportWrite, path + ": " + std::strerror(errno));
        return kExitUsage;
    }

    if (const int status = connectController())
        return status;

    SJobSheetInputs inputs;
    // The work times as the controller counts them now (the whole-image
    // read leaves them out).
    (void)m_doc.readStatistic();
    inputs.settings = &m_doc.settings();
    inputs.when = std::time(nullptr);
    inputs.demo = m_doc.isDemo();
    // One connection: what is found now is what was found at connection.
    inputs.now = vexor::readJobSheetFindings(m_doc);
    inputs.atConnection = inputs.now;
    const std::optional<DeviceSettings> baseline =
        m_doc.isDemo() ? std::nullopt
                       : vexor::dayBaseline(m_doc.dataFolder(), m_doc.settings().m_devInfo.m_serial,
                                            inputs.when);
    inputs.baseline = baseline ? &*baseline : nullptr;
    CDiag record;
    if (m_doc.readDiag(record) == CLPGDevice::kDiagOk)
        inputs.liveRecord = record;
    LoadMap map;
    if (m_doc.readGasolineMap(map))
        inputs.petrolLoadMap = map;
    if (m_doc.readLpgMap(map))
        inputs.gasLoadMap = map;
    vexor::stationCode(inputs.thisStation.data());
    // What the options say about the car, over what was kept for this
    // controller; kept again for its next visit.
    const std::string& serial = m_doc.settings().m_devInfo.m_serial;
    inputs.vehicle = vexor::loadVehicleRecord(m_options.configDir, serial);
    for (const auto& [key, value] : entered)
        vexor::setVehicleField(inputs.vehicle, key, value);
    if (!entered.empty())
        (void)vexor::saveVehicleRecord(m_options.configDir, serial, inputs.vehicle);
    const SWorkshop workshop = vexor::loadWorkshop(m_options.configDir);
    inputs.workshopName = workshop.name;
    inputs.workshopAddress = workshop.address;

    const std::string html = vexor::jobSheetHtml(vexor::buildJobSheet(inputs));
    bool written = false;
    std::string error;
#ifdef VEXOR_HAVE_PDF
    if (ext == ".pdf")
        written = writePdfFile(path, html, error);
    else
#endif
        written = writeHtml(path, html, error);
    if (!written) {
        m_prompt.message(vexor::translate(kMsgReportWrite) + (error.empty() ? "" : "\n" + error),
                         IUserPrompt::Icon::Error);
        return kExitFailed;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    recordVisit("jobsheet", {ec ? path : absolute.string()});
    return kExitDone;
}
