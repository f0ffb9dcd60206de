#pragma once

#include "lang/MultiLangRes.h"

#include <QString>

class QObject;
class QWidget;

// A text object that writes its texts into a window: every descendant whose
// ctrlId is a registered id gets the text in the current language, except the
// controls of a page or dialog inside the window (see setTextScope).
class CMultiLangWnd : public CMultiLangRes {
public:
    // Throws CLangError (by pointer) like text().
    virtual void apply(QWidget* window) const;

    // The text of an id as a QString.
    QString qtext(int id) const;

    // Puts a text into a control in the way its type takes text (button and
    // label text, group title, edit contents, a top-level window's caption).
    static void setControlText(QObject* control, const QString& text);

private:
    void applyBelow(QObject* parent) const;
};
