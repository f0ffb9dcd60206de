#include "app/DisplayDlg.h"

#include "app/IDocumentPort.h"
#include "app/WindowRules.h"
#include "common/IError.h"
#include "common/Rounding.h"
#include "controls/ColorStatic.h"

#include <QFontInfo>
#include <QKeyEvent>

#include <algorithm>
#include <memory>

using namespace vexor;

namespace {

int evenScaled(int height, double factor) {
    int scaled = roundInt(height * factor);
    if (scaled % 2 != 0)
        --scaled;
    return std::max(scaled, 2);
}

} // namespace

CDisplayDlg::CDisplayDlg(IDocumentPort& doc, const QSize& workArea, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_doc(doc) {
    resize(kValuePanelWidth, kValuePanelHeight);
    m_panel = buildValuePanel(this, 0, 0);
    m_texts.apply(this);
    const QRect target = mainWindowRect(workArea);
    move(target.topLeft());
    scaleTo(target.size());

    m_timer5002.setObjectName(QStringLiteral("timer5002"));
    connect(&m_timer5002, &QTimer::timeout, this, &CDisplayDlg::refreshLive);
    if (m_doc.isConnected())
        m_timer5002.start(kTimerMs);
}

void CDisplayDlg::scaleTo(const QSize& target) {
    m_fx = static_cast<double>(target.width()) / kValuePanelWidth;
    m_fy = static_cast<double>(target.height()) / kValuePanelHeight;
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        const QRect r = child->geometry();
        const int left = roundInt(r.left() * m_fx);
        const int top = roundInt(r.top() * m_fy);
        const int right = roundInt((r.left() + r.width()) * m_fx);
        const int bottom = roundInt((r.top() + r.height()) * m_fy);
        child->setGeometry(left, top, right - left, bottom - top);
    }
    resize(target);

    QFont scaled = font();
    scaled.setPixelSize(evenScaled(QFontInfo(font()).pixelSize(), m_fy));
    setFont(scaled);
    for (QWidget* child : children)
        child->setFont(scaled);

    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(evenScaled(18, m_fy));
    bold.setBold(true);
    for (CColorStatic* field : m_panel.valueFields())
        field->setFont(bold);
    for (CColorStatic* cylinder : m_panel.cylinders)
        cylinder->setFont(bold);
}

void CDisplayDlg::refreshLive() {
    try {
        if (!m_doc.isConnected())
            return;
        CDiag record;
        if (!m_doc.latestRecord(record))
            return;
        showLiveTexts(m_panel, liveTexts(record, m_doc.settings()));
    } catch (IError* raw) {
        const std::unique_ptr<IError> swallowed(raw);
    }
}

void CDisplayDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
