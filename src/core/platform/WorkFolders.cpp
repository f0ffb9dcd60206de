#include "platform/WorkFolders.h"

#include "platform/HomeFolder.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string created(const std::string& path) {
    std::error_code ignored;
    fs::create_directories(path, ignored);
    return withSlash(path);
}

std::string shareSubfolder(const char* name) {
    std::string share = CWorkFolders::shareFolder();
    return share.empty() ? std::string() : share + name + "/";
}

} // namespace

CWorkFolders::CWorkFolders(std::string dataRoot) : m_dataRoot(std::move(dataRoot)) {}

std::string CWorkFolders::defaultDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // Relative values are invalid for this variable and are ignored.
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/VEXOR";
    }
    return vexor::homeFolder() + "/.local/share/VEXOR";
}

std::string CWorkFolders::dataFolder() const {
    return created(m_dataRoot.empty() ? defaultDataFolder() : m_dataRoot);
}

std::string CWorkFolders::settingsFolder() const {
    return created(dataFolder() + "settings");
}

std::string CWorkFolders::oscilloscopeFolder() const {
    return created(dataFolder() + "Oscyloskop");
}

std::string CWorkFolders::userDocumentsFolder() const {
    return created(dataFolder() + "documents");
}

std::string CWorkFolders::programFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error || exe.empty()) {
        return {};
    }
    return withSlash(exe.parent_path().string());
}

std::string CWorkFolders::shareFolder() {
    std::string program = programFolder();
    if (program.empty()) {
        return {};
    }
    return withSlash((fs::path(program) / ".." / "share" / "vexor").lexically_normal().string());
}

std::string CWorkFolders::documentsFolder() {
    return shareSubfolder("documents");
}
std::string CWorkFolders::firmwareFolder() {
    return shareSubfolder("Firmware");
}
std::string CWorkFolders::languageFolder() {
    return shareSubfolder("E_Lang");
}

std::string CWorkFolders::manualFolder() {
    std::string program = programFolder();
    if (program.empty()) {
        return {};
    }
    return withSlash((fs::path(program) / ".." / "share" / "doc" / "vexor" / "manual")
                         .lexically_normal()
                         .string());
}

std::string CWorkFolders::manualPage(int language) {
    const std::string folder = manualFolder();
    if (folder.empty()) {
        return {};
    }
    // Only Polish and English are written; the others read the English one.
    for (const char* code : {language == 0 ? "pl" : "en", "en"}) {
        std::string page = folder + code + "/index.html";
        std::error_code error;
        if (fs::is_regular_file(page, error)) {
            return page;
        }
    }
    return {};
}
