#pragma once

#include "diag/RecordingLoader.h"

#include <functional>
#include <string>

class CRecording;
class QWidget;

namespace vexor {

// Runs work on a worker thread while a window-modal progress bar (shown
// after 300 ms) keeps the window responsive. work reports the share done
// (0..1) through its argument, which returns false once the user cancelled.
// Returns false when the user cancelled.
bool runWithProgress(QWidget* parent, const std::function<void(const RecordingProgress&)>& work);

// Reads a recording that way. The recording is filled only when the reading
// was not cancelled.
SRecordingLoad loadRecordingWithProgress(QWidget* parent, const std::string& path,
                                         CRecording& into);

} // namespace vexor
