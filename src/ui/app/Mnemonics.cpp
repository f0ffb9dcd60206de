#include "app/Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <set>

namespace vexor {

namespace {

// Candidate positions: first the letters that start a word, then every
// other letter or digit, each in reading order.
std::vector<qsizetype> candidates(const QString& text) {
    std::vector<qsizetype> starts;
    std::vector<qsizetype> rest;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isLetterOrNumber())
            continue;
        const bool wordStart = i == 0 || !text.at(i - 1).isLetterOrNumber();
        (wordStart ? starts : rest).push_back(i);
    }
    starts.insert(starts.end(), rest.begin(), rest.end());
    return starts;
}

void assign(const std::vector<QAction*>& actions) {
    std::vector<QString> texts;
    for (QAction* action : actions)
        texts.push_back(action->text());
    const std::vector<QString> marked = withMnemonics(texts);
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i]->text() != marked[i])
            actions[i]->setText(marked[i]);
}

} // namespace

QString withoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                plain += text.at(++i);
            continue;
        }
        plain += text.at(i);
    }
    return plain;
}

std::vector<QString> withMnemonics(const std::vector<QString>& texts) {
    std::set<QString> taken;
    std::vector<QString> result;
    result.reserve(texts.size());
    for (const QString& text : texts) {
        const QString plain = withoutMnemonic(text);
        QString marked = plain;
        marked.replace(QLatin1Char('&'), QStringLiteral("&&"));
        for (const qsizetype position : candidates(plain)) {
            const QString key = plain.at(position).toLower();
            if (taken.count(key) != 0)
                continue;
            taken.insert(key);
            // Positions before this one may hold escaped ampersands.
            const qsizetype escapes = plain.left(position).count(QLatin1Char('&'));
            marked.insert(position + escapes, QLatin1Char('&'));
            break;
        }
        result.push_back(marked);
    }
    return result;
}

void assignMnemonics(QMenu* menu) {
    std::vector<QAction*> entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        entries.push_back(action);
        if (QMenu* sub = action->menu())
            assignMnemonics(sub);
    }
    assign(entries);
}

void assignMnemonics(QMenuBar* bar) {
    std::vector<QAction*> titles;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        titles.push_back(action);
        if (QMenu* menu = action->menu())
            assignMnemonics(menu);
    }
    assign(titles);
}

void assignMnemonics(QWidget* window) {
    std::vector<QAbstractButton*> buttons;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        // Tool buttons are reached by their own shortcuts or the menus.
        if (button->window() != window || qobject_cast<QToolButton*>(button) != nullptr ||
            button->text().isEmpty() || !button->isVisibleTo(window))
            continue;
        buttons.push_back(button);
    }
    std::vector<QString> texts;
    for (QAbstractButton* button : buttons)
        texts.push_back(button->text());
    const std::vector<QString> marked = withMnemonics(texts);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->text() != marked[i])
            buttons[i]->setText(marked[i]);
}

} // namespace vexor
