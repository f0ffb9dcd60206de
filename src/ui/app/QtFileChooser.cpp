#include "app/QtFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString filterFor(const std::string& extension) {
    const QString ext = QString::fromStdString(extension);
    return QStringLiteral("*.%1 (*.%1)").arg(ext);
}

} // namespace

std::string CQtFileChooser::openPath(const std::string& folder, const std::string& extension) {
    const QString path = QFileDialog::getOpenFileName(
        m_parent.data(), QString(), QString::fromStdString(folder), filterFor(extension));
    return path.toStdString();
}

std::string CQtFileChooser::savePath(const std::string& folder, const std::string& extension,
                                     const std::string& suggestedName) {
    const QString start =
        QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(suggestedName));
    QFileDialog dialog(m_parent.data(), QString(), start, filterFor(extension));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}
