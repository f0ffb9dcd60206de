#include "PagedHtml.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace vexor::print {

void paintHtml(const std::string& html, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                          QPageLayout::Millimeter);
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSizeF(9.0);
    document.setDefaultFont(font);
    document.setHtml(QString::fromStdString(html));
    document.print(&device);
}

bool writePdf(const std::string& html, const std::string& title, const std::string& path,
              std::string& error) {
    // QPdfWriter says nothing when it cannot write: the file is opened here
    // first, so a bad path is reported with its reason and nothing is left
    // half written.
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = file.errorString().toStdString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("VEXOR"));
        writer.setResolution(300);
        paintHtml(html, writer);
    }
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString().toStdString();
        file.close();
        file.remove();
        return false;
    }
    file.close();
    return true;
}

} // namespace vexor::print
