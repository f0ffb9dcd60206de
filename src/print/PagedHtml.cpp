#include "PagedHtml.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    // Laid out in memory first, then written like every other file of the
    // program: into a temporary file beside the target that replaces it only
    // once complete, so a full disk never costs the user the PDF that was
    // there, and only a regular file (or nothing yet) is ever replaced.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("VEXOR"));
        writer.setResolution(300);
        paintHtml(html, writer);
    }
    CAtomicFile file;
    if (!file.open(path)) {
        error = path + ": " + std::strerror(file.error());
        return false;
    }
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, file.stream()) != size) {
        error = path + ": " + std::strerror(errno != 0 ? errno : EIO);
        file.discard();
        return false;
    }
    if (!file.commit()) {
        error = path + ": " + std::strerror(file.error());
        return false;
    }
    return true;
}

} // namespace vexor::print
