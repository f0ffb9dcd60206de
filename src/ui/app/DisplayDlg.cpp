#include "app/DisplayDlg.h"

#include "app/IDocumentPort.h"
#include "app/WindowRules.h"
#include "common/IError.h"
#include "common/Rounding.h"
#include "controls/ColorStatic.h"
#include "controls/LambdaBar.h"

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
    // Always ticking: the display must follow the link going and coming.
    m_timer5002.start(kTimerMs);
    refreshLive();
}

void CDisplayDlg::scaleTo(const QSize& target) {
    // One factor for both directions keeps the panel's proportions (a wide
    // screen would otherwise stretch every field four times as wide as
    // high); the panel is centred in the target.
    const double fx = static_cast<double>(target.width()) / kValuePanelWidth;
    const double fy = static_cast<double>(target.height()) / kValuePanelHeight;
    m_fx = m_fy = std::min(fx, fy);
    const int offsetX = roundInt((target.width() - kValuePanelWidth * m_fx) / 2.0);
    const int offsetY = roundInt((target.height() - kValuePanelHeight * m_fy) / 2.0);
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        const QRect r = child->geometry();
        const int left = roundInt(r.left() * m_fx);
        const int top = roundInt(r.top() * m_fy);
        const int right = roundInt((r.left() + r.width()) * m_fx);
        const int bottom = roundInt((r.top() + r.height()) * m_fy);
        child->setGeometry(offsetX + left, offsetY + top, right - left, bottom - top);
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
        CDiag record;
        const bool live = linkLive(m_doc.linkState()) && m_doc.latestRecord(record);
        showPanelStale(m_panel, !live);
        if (!live)
            return;
        const SLiveTexts texts = liveTexts(record, m_doc.settings());
        showLiveTexts(m_panel, texts);
        m_lambdaVolts[0] = texts.lambda1Volts;
        m_lambdaVolts[1] = texts.lambda2Volts;
        for (size_t i = 0; i < m_panel.lambdaDisplays.size(); ++i) {
            if (auto* bar = qobject_cast<CLambdaDisplay*>(m_panel.lambdaDisplays[i])) {
                bar->setType(m_doc.settings().m_sensorsSetup.m_lambdaType);
                bar->setValue(m_lambdaVolts[i]);
            }
        }
    } catch (IError* raw) {
        const std::unique_ptr<IError> swallowed(raw);
    }
}

void CDisplayDlg::setLambdaType(int type) {
    for (size_t i = 0; i < m_panel.lambdaDisplays.size(); ++i) {
        if (auto* bar = qobject_cast<CLambdaDisplay*>(m_panel.lambdaDisplays[i])) {
            bar->setType(type);
            bar->setValue(m_lambdaVolts[i]);
        }
    }
}

void CDisplayDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
