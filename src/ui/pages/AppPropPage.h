#pragma once

#include "platform/Seams.h"

#include <QWidget>

#include <string>

class IDocumentPort;

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

private:
    std::string m_caption;
    IDocumentPort* m_doc = nullptr;
    Seams m_seams;
};
