#pragma once

#include "app/AppOptions.h"
#include "app/QtBusyCursor.h"
#include "app/QtEventPump.h"
#include "app/QtFileChooser.h"
#include "app/QtUserPrompt.h"
#include "platform/Seams.h"

#include <memory>

class CMainFrame;
class IDocumentPort;
class QSize;

// Runs the program's start-up in its fixed order: main window and view,
// splash, module type, connection search, pages, texts, then live polling or
// the reconnect timer, and finally the window's size and place.
class CKorvantisApp {
public:
    CKorvantisApp(const vexor::SAppOptions& options, IDocumentPort& doc);
    ~CKorvantisApp();

    // Seams the window program uses; a test may replace the prompt before
    // initInstance().
    Seams& seams() { return m_seams; }

    // False when the main window cannot be shown.
    bool initInstance();
    // initInstance() with the given work area instead of the screen's.
    bool initInstance(const QSize& workArea);

    CMainFrame* mainFrame() const { return m_frame.get(); }
    // True while an operation on the controller runs and pumps events.
    bool deviceBusy() const { return m_cursor.active(); }

private:
    // After "no controller, no demonstration": the offer of a settings file
    // to edit offline.
    void offerSettingsFile();

    vexor::SAppOptions m_options;
    IDocumentPort& m_doc;
    CQtUserPrompt m_prompt;
    CQtEventPump m_pump;
    CQtFileChooser m_chooser;
    CQtBusyCursor m_cursor;
    Seams m_seams;
    std::unique_ptr<CMainFrame> m_frame;
};
