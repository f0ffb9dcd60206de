#pragma once

#include "app/QtFrameTimers.h"
#include "platform/Seams.h"
#include "texts/MainMenuTexts.h"
#include "texts/StatusTexts.h"
#include "texts/ToolBarTexts.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <map>

class CDisplayDlg;
class CKorvantisView;
class IDocumentPort;
class QAction;
class QLabel;
class QToolBar;
class QUrl;

// The main window: menu, toolbar, the view, the status line and the two
// timers (1000 refreshes the live display, 1002 retries the connection).
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kDisplayPeriodMs = 100;
    static constexpr int kReconnectPeriodMs = 5000;
    // Every 20th display tick also reads the controller's fault bytes.
    static constexpr int kTicksPerErrorRead = 20;

    CMainFrame(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKorvantisView* view() const { return m_view; }
    QToolBar* toolBar() const { return m_toolBar; }
    QAction* command(int id) const;

    QTimer& timer1000() { return m_timer1000; }
    QTimer& timer1002() { return m_timer1002; }
    // The timers as the core's seam sees them (thread-safe).
    IFrameTimers& frameTimers() { return m_frameTimers; }

    // Menu and toolbar texts in the current language, and the title.
    void refreshTexts();
    void refreshTitle();
    void refreshStatus();
    // The language change; the document then has the view and the frame
    // re-apply their texts.
    void changeLanguage(int index);

    // F10: the full-window live display, never twice at a time.
    void openDisplayDlg();
    CDisplayDlg* displayDlg() const;

    // How the documents folder is opened (the desktop's file manager).
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_urlOpener = std::move(opener); }

public slots:
    void onTimer1000();
    void onTimer1002();
    void OnAppAbout();
    void OnHelp();
    // F1: the fitter's manual in the browser.
    void OnManual();
    void OnLanguage();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The display tick's look at the link: the document decides whether it
    // is lost, and a lost link is searched for.
    void watchLink();
    void buildMenu();
    void buildToolBar();
    QAction* addCommand(int id, bool enabled);
    // The next (step 1) or previous (-1) enabled page.
    void showNextPage(int step);
    // Closing with an edited settings file: true when it was saved or the
    // user chose to drop the changes.
    bool mayDiscardFile();
    // Runs a toolbar command, reporting an escaping error under its handler name;
    // the busy-guarded form does nothing while an automatic calibration runs.
    template <class F> void runGuarded(const char* handler, F&& body);
    template <class F> void runBusyGuarded(const char* handler, F&& body);

    CMainMenuTexts m_menuTexts;
    CToolBarTexts m_toolBarTexts;
    CStatusTexts m_statusTexts;
    IDocumentPort& m_doc;
    Seams m_seams;
    QToolBar* m_toolBar = nullptr;
    std::map<int, QAction*> m_commands;
    QAction* m_openFile = nullptr;
    QAction* m_saveFile = nullptr;
    QAction* m_manual = nullptr;
    QAction* m_jobSheet = nullptr;
    QAction* m_history = nullptr;
    QAction* m_recordingViewer = nullptr;
    CKorvantisView* m_view = nullptr;
    QLabel* m_status = nullptr;
    QTimer m_timer1000;
    QTimer m_timer1002;
    CQtFrameTimers m_frameTimers;
    int m_errorTicks = kTicksPerErrorRead;
    QPointer<CDisplayDlg> m_displayDlg;
    std::function<bool(const QUrl&)> m_urlOpener;
};
