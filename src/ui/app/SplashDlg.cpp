#include "app/SplashDlg.h"

#include "app/ToolBarIcons.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

CSplashDlg::CSplashDlg(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    resize(480, 240);
}

void CSplashDlg::showFor(int milliseconds) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place = rect();
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    show();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    connect(this, &CSplashDlg::clicked, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    hide();
}

void CSplashDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, vexor::brandPicture(size()));
}

void CSplashDlg::mousePressEvent(QMouseEvent*) {
    emit clicked();
}
