#include "texts/MultiLangWnd.h"

#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

QString CMultiLangWnd::qtext(int id) const {
    return QString::fromStdString(text(id));
}

void CMultiLangWnd::setControlText(QObject* control, const QString& text) {
    if (auto* staticText = qobject_cast<CColorStatic*>(control))
        staticText->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(control))
        rich->setPlainText(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setWindowTitle(text);
}

void CMultiLangWnd::applyBelow(QObject* parent) const {
    for (QObject* child : parent->children()) {
        // A page or a dialog inside the window has texts of its own, often
        // under the same ids as the window's.
        if (vexor::isTextScope(child) || qobject_cast<QDialog*>(child) != nullptr)
            continue;
        if (vexor::hasCtrlId(child)) {
            const int id = vexor::ctrlId(child);
            if (contains(id))
                setControlText(child, qtext(id));
        }
        applyBelow(child);
    }
}

void CMultiLangWnd::apply(QWidget* window) const {
    if (window == nullptr)
        return;
    applyBelow(window);
    window->update();
}
