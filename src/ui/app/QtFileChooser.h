#pragma once

#include "platform/Seams.h"

#include <QPointer>
#include <QWidget>

// The open / save file dialogs, filtered by one extension.
class CQtFileChooser : public IFileChooser {
public:
    explicit CQtFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    std::string openPath(const std::string& folder, const std::string& extension) override;
    std::string savePath(const std::string& folder, const std::string& extension,
                         const std::string& suggestedName) override;

private:
    QPointer<QWidget> m_parent;
};
