#include "diag/RecordingProgress.h"

#include "diag/Recording.h"
#include "lang/Translate.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <atomic>
#include <chrono>
#include <thread>

namespace vexor {

bool runWithProgress(QWidget* parent, const std::function<void(const RecordingProgress&)>& work) {
    std::atomic<int> permille{0};
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work([&](double share) {
            permille = static_cast<int>(share * 1000);
            return !cancel.load();
        });
        done = true;
    });
    {
        QProgressDialog progress(QString::fromStdString(translate("Wczytywanie zapisu...")),
                                 QString::fromStdString(translate("Anuluj")), 0, 1000, parent);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        while (!done.load()) {
            progress.setValue(permille.load());
            if (progress.wasCanceled())
                cancel = true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    worker.join();
    return !cancel.load();
}

SRecordingLoad loadRecordingWithProgress(QWidget* parent, const std::string& path,
                                         CRecording& into) {
    // Read into a recording of its own, so what the caller shows stays whole
    // until the new one is complete.
    CRecording next;
    SRecordingLoad result;
    runWithProgress(parent, [&](const RecordingProgress& progress) {
        result = loadRecording(path, next, progress);
    });
    if (result.status != SRecordingLoad::Status::Cancelled)
        into = std::move(next);
    return result;
}

} // namespace vexor
