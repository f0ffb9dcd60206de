#pragma once

#include "device/DeviceSettings.h"
#include "doc/DocResult.h"
#include "platform/Seams.h"

#include <functional>
#include <string>
#include <vector>

class CLoadCompareDlg;
class IDocumentPort;
class QWidget;

// A settings file (or a backup) into the controller, after the fitter has
// seen what it would change: the comparison shows every differing setting
// ticked, and only the blocks holding the ticked ones are written, petrol
// first, in the order of a full load, with the restart. When nothing differs
// it says so and writes nothing. The controller is backed up first.
class CSelectiveLoad {
public:
    // Shows the comparison; true when the ticked rows are to be written.
    using Review = std::function<bool(CLoadCompareDlg& comparison)>;

    CSelectiveLoad(IDocumentPort& doc, const Seams& seams, QWidget* parent);

    // The review the window shows modally by default.
    void setReview(Review review) { m_review = std::move(review); }

    // path: the file to load; reason: what the backup is named after
    // ("load", "restore"). Tells the user about every failure itself.
    DocResult run(const std::string& path, const char* reason);
    // A backup back into the controller: its raw blocks exactly as the
    // controller held them when they were taken on this controller and
    // firmware and every differing setting stays ticked; otherwise (and then
    // it says why) the ticked settings of its settings file.
    DocResult restore(const std::string& path);
    // Only shows what the file would change; writes nothing.
    DocResult show(const std::string& path);
    // An image edited without the controller (an open settings file) into
    // the controller behind `controller`, the same way as a file.
    DocResult runImage(IDocumentPort& controller, const DeviceSettings& image);

    // Report name of a port error during the write.
    static constexpr const char* kHandler = "CSettingsDlg::OnFileReadSettings()";

private:
    // reason null: show the comparison only.
    DocResult write(const std::string& path, const char* reason);
    DocResult writeImage(IDocumentPort& port, const DeviceSettings& loaded, const char* reason);
    DocResult writeTicked(IDocumentPort& port, const DeviceSettings& loaded,
                          const std::vector<std::string>& keys, const char* reason);
    DocResult restoreBackup(const std::string& path);
    // Runs an action, reporting a port error under the handler's name.
    template <class F> DocResult reported(F&& action);

    IDocumentPort& m_doc;
    Seams m_seams;
    QWidget* m_parent;
    Review m_review;
};
