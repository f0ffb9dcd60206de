#include "pages/AppPropPage.h"

#include "app/IDocumentPort.h"
#include "controls/CtrlId.h"
#include "lang/Translate.h"
#include "pages/FlagBinding.h"
#include "pages/SettingBinding.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <utility>

CAppPropPage::CAppPropPage(std::string polishCaption, QWidget* parent)
    : QWidget(parent), m_caption(std::move(polishCaption)) {
    // The page's controls take their texts from the page's own text object,
    // never from the view around it.
    vexor::setTextScope(this);
}

void CAppPropPage::editSetting(const char* reportName, const vexor::CSettingBinding& binding) {
    runEdit(reportName, [this, &binding] {
        if (binding.take(m_doc->editSettings()))
            vexor::writePanelBlocks(*m_doc, m_seams, {binding.block()});
    });
}

void CAppPropPage::editFlag(const char* reportName, const vexor::CFlagBinding& binding,
                            unsigned writeFlags) {
    runEdit(reportName, [this, &binding, writeFlags] {
        if (binding.take(m_doc->editSettings()))
            vexor::writePanelBlocks(*m_doc, m_seams, {binding.block()}, writeFlags);
    });
}

void CAppPropPage::attach(IDocumentPort& doc, const Seams& seams) {
    m_doc = &doc;
    m_seams = seams;
}

QWidget* CAppPropPage::gateBar() {
    if (m_gateBar != nullptr)
        return m_gateBar;
    m_gateBar = new QWidget(this);
    m_gateBar->setObjectName(QStringLiteral("pageGate"));
    auto* row = new QHBoxLayout(m_gateBar);
    row->setContentsMargins(0, 0, 0, 0);
    m_gateNote = new QLabel(m_gateBar);
    m_gateNote->setObjectName(QStringLiteral("pageGateNote"));
    m_gateNote->setStyleSheet(QStringLiteral("font-weight: bold; color: #a00000;"));
    m_gateNote->setWordWrap(true);
    m_gateButton = new QPushButton(m_gateBar);
    m_gateButton->setObjectName(QStringLiteral("pageGateButton"));
    m_gateButton->setAutoDefault(false);
    row->addWidget(m_gateNote, 1);
    row->addWidget(m_gateButton);
    connect(m_gateButton, &QPushButton::clicked, this, [this] {
        // The action may lift the gate and so replace itself: run a copy.
        const std::function<void()> action = m_gateAction;
        if (action)
            action();
    });
    m_gateBar->hide();
    return m_gateBar;
}

QString CAppPropPage::gateNote() const {
    return m_gated && m_gateNote != nullptr ? m_gateNote->text() : QString();
}

void CAppPropPage::setGate(const QString& note, const QString& buttonText,
                           std::function<void()> onButton) {
    QWidget* bar = gateBar();
    m_gated = !note.isEmpty();
    m_gateNote->setText(note);
    m_gateButton->setText(buttonText);
    m_gateButton->setVisible(m_gated && !buttonText.isEmpty());
    m_gateAction = std::move(onButton);
    bar->setVisible(m_gated);
    const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (control != bar)
            control->setEnabled(!m_gated);
    }
}

bool CAppPropPage::refuseOffline() {
    if (vexor::panelConnected(m_doc))
        return false;
    m_seams.message(vexor::translate(vexor::kMsgPageNoConnection), IUserPrompt::Icon::Warning);
    // The control shows the user's choice: put the image's value back.
    updatePage();
    return true;
}

bool CAppPropPage::refuseChange() {
    if (refuseOffline())
        return true;
    if (m_doc->beforeChange("edit"))
        return false;
    updatePage();
    return true;
}

namespace {
constexpr const char* kMsgUnread = "Nie odczytano ze sterownika.";
constexpr const char* kBtnReread = "Odczytaj ponownie";
} // namespace

bool CAppPropPage::showUnread(std::initializer_list<vexor::SettingBlock> blocks) {
    bool unread = false;
    for (const vexor::SettingBlock block : blocks)
        unread = unread || (m_doc != nullptr && !m_doc->blockRead(block));
    if (!unread) {
        setGate(QString());
        return false;
    }
    setGate(QString::fromStdString(vexor::translate(kMsgUnread)),
            QString::fromStdString(vexor::translate(kBtnReread)), [this] {
                CBusyScope busy(m_seams.cursor);
                if (refuseOffline())
                    return;
                // A block that fails again is reported by the read itself.
                vexor::runPanelHandler(m_seams, "CAppPropPage::OnReread()",
                                       [this] { m_doc->rereadImage(); });
                updatePage();
            });
    return true;
}
