#pragma once

#include "platform/Seams.h"

#include <QPointer>
#include <QWidget>

// Message boxes captioned "VEXOR" over the given parent window.
class CQtUserPrompt : public IUserPrompt {
public:
    static constexpr const char* kCaption = "VEXOR";

    explicit CQtUserPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const std::string& text, Icon icon) override;
    // Yes / No; the default button is the one defaultYes names.
    bool ask(const std::string& text, bool defaultYes) override;
    SaveAnswer askSave(const std::string& text) override;

private:
    QPointer<QWidget> m_parent;
};
