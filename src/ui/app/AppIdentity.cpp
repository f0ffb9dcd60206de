#include "app/AppIdentity.h"

#include <QApplication>
#include <QIcon>

namespace vexor {

namespace {

// The icon theme's copy wins where one is installed; the pictures built into
// the program serve the build tree and a theme without the icon.
QIcon programIcon() {
    QIcon builtIn;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/vexor-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("vexor"), builtIn);
}

} // namespace

void applyAppIdentity() {
    QApplication::setApplicationName(QStringLiteral("VEXOR"));
    QApplication::setApplicationVersion(QStringLiteral(VEXOR_VERSION_TEXT));
    // The desktop entry is vexor.desktop: without this the window's app id
    // is the executable's path and the task bar cannot find the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vexor"));
    QApplication::setWindowIcon(programIcon());
}

QString appFacts() {
    return QStringLiteral("VEXOR %1 (%2)\n"
                          "Licence: proprietary - free to install and use on any number of "
                          "computers; not to be sold or modified without permission.\n"
                          "https://vexor.invalid/ - vexor@vexor.invalid")
        .arg(QStringLiteral(VEXOR_VERSION_TEXT), QStringLiteral(VEXOR_BUILD_DATE));
}

} // namespace vexor
