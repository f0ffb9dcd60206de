#include "app/OpenSettingsFile.h"

#include "app/IDocumentPort.h"
#include "lang/Translate.h"
#include "platform/Seams.h"

namespace vexor {

namespace {

constexpr const char* kMsgCannotOpen = "Nie można otworzyć pliku.";
constexpr const char* kMsgDropChanges = "Porzucić niezapisane zmiany w pliku ustawień?";

} // namespace

bool openSettingsFile(IDocumentPort& doc, const Seams& seams) {
    if (doc.isOffline() && doc.fileModified() && !seams.ask(translate(kMsgDropChanges), false))
        return false;
    // Without the controller's document (a file open) the data folder.
    std::string folder = doc.folder(IDocumentPort::Folder::Settings);
    if (folder.empty())
        folder = doc.dataFolder();
    const std::string path =
        seams.chooser != nullptr ? seams.chooser->openPath(folder, "xset") : std::string();
    if (path.empty())
        return false;
    std::string problem;
    if (!doc.openFile(path, problem)) {
        seams.message(translate(kMsgCannotOpen) + "\n" + path + "\n" + problem,
                      IUserPrompt::Icon::Error);
        return false;
    }
    return true;
}

} // namespace vexor
