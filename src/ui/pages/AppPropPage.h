#pragma once

#include "device/SettingBlock.h"
#include "platform/Seams.h"

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>

class IDocumentPort;
class QLabel;
namespace vexor {
class CFlagBinding;
class CSettingBinding;
} // namespace vexor
class QPushButton;

// Base of the pages of the main view's page set. The set asks the shown page
// canLeave() before it switches and calls activate() on the page it switches
// to; the view calls refreshLive() on every live refresh and updatePage()
// after a language change or a new settings image.
class CAppPropPage : public QWidget {
    Q_OBJECT
public:
    // polishCaption: the page's tab caption in Polish, the key its
    // translation is looked up by.
    explicit CAppPropPage(std::string polishCaption, QWidget* parent = nullptr);

    const std::string& polishCaption() const { return m_caption; }

    // The document and the seams the page works with; the view attaches every
    // page before it is shown.
    void attach(IDocumentPort& doc, const Seams& seams);
    IDocumentPort* doc() const { return m_doc; }
    const Seams& seams() const { return m_seams; }

    // Kept so that subclasses can add a hook without changing the order of
    // the page operations; does nothing.
    virtual void reserved() {}
    // May the page lose the selection now?
    virtual bool canLeave() { return true; }
    // The page is about to become the shown page; false keeps it from being
    // shown. By default it refreshes its controls.
    virtual bool activate() {
        updatePage();
        return true;
    }
    // A new live record is there (called only while the page is shown).
    virtual void refreshLive() {}
    // Refill the texts in the current language and the values from the
    // settings image.
    virtual void updatePage() {}

    // Whether the page's controls are greyed behind a note (see setGate).
    bool gated() const { return m_gated; }
    // The note the page shows above its greyed controls; empty while live.
    QString gateNote() const;

protected:
    // A bar above the page's controls that says why they are greyed, with a
    // button that may lift the reason; hidden while the page is live. The
    // page puts it at the top of its layout.
    QWidget* gateBar();
    // Greys every control of the page but the bar and shows the note (and
    // the button when it has a text). An empty note makes the page live.
    void setGate(const QString& note, const QString& buttonText = QString(),
                 std::function<void()> onButton = {});

    // A user's edit: the busy cursor shows while it runs. Without a
    // connected controller, or when the user would rather not change the
    // controller without a backup of its settings, nothing is changed or
    // sent and the page shows the image again. A port or thread error is
    // reported under the handler's name.
    template <class F> void runEdit(const char* reportName, F&& body);
    // The pick of a box bound to a settings row, as runEdit: the choice
    // goes into the row's member and the row's block is written, unless
    // nothing is chosen or the member holds it already.
    void editSetting(const char* reportName, const vexor::CSettingBinding& binding);
    // The click of a check box bound to flag bits, likewise; writeFlags as
    // writePanelBlocks takes them.
    void editFlag(const char* reportName, const vexor::CFlagBinding& binding,
                  unsigned writeFlags = 0);
    // Says there is no connection and shows the image again; false when
    // there is a controller to write to.
    bool refuseOffline();
    // refuseOffline(), and then the backup taken before the connection's
    // first change (the user may decline to go on without one); true when
    // the change must not be made.
    bool refuseChange();
    // Greys the page behind a "not read from the controller" note, with a
    // button that reads the controller again, when any of the blocks the
    // page shows was not read; otherwise makes the page live. True when it
    // greyed the page.
    bool showUnread(std::initializer_list<vexor::SettingBlock> blocks);

private:
    std::string m_caption;
    IDocumentPort* m_doc = nullptr;
    Seams m_seams;
    QWidget* m_gateBar = nullptr;
    QLabel* m_gateNote = nullptr;
    QPushButton* m_gateButton = nullptr;
    std::function<void()> m_gateAction;
    bool m_gated = false;
};

#include "pages/PanelWrite.h"

template <class F> void CAppPropPage::runEdit(const char* reportName, F&& body) {
    // A greyed page says why on its note; its values are not the
    // controller's to change.
    if (m_gated)
        return;
    CBusyScope busy(m_seams.cursor);
    if (refuseChange())
        return;
    vexor::runPanelHandler(m_seams, reportName, std::forward<F>(body));
}
