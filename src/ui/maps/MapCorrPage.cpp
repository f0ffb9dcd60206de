#include "maps/MapCorrPage.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "maps/MapGrid.h"
#include "maps/MapMenu.h"
#include "maps/MapMessages.h"
#include "maps/MapProposalDlg.h"
#include "pages/PasswdDlg.h"

#include <QPushButton>

#include <memory>

CMapCorrPage::CMapCorrPage(QWidget* parent)
    : CAppPropPage("Mapa", parent), m_grid(new CMapGrid(this)), m_propose(new QPushButton(this)) {
    // The grid keeps its own fixed size: 50 + 15 x 41 by 22 + 19 x 22 pixels.
    m_grid->move(6, 5);
    m_grid->hide();
    m_propose->setGeometry(6, 5 + m_grid->height() + 6, 220, 26);
    m_propose->hide();
    connect(m_propose, &QPushButton::clicked, this, &CMapCorrPage::OnProposeMap);
}

void CMapCorrPage::OnProposeMap() {
    if (doc() == nullptr || !bindDevice())
        return;
    CMapProposalDlg::run(*doc(), m_grid->editor(), seams(), this);
    m_grid->update();
}

CMapCorrPage::~CMapCorrPage() = default;

bool CMapCorrPage::bindDevice() {
    if (m_core)
        return true;
    CLPGDevice* device = doc() != nullptr ? doc()->controller() : nullptr;
    if (device == nullptr)
        return false;
    m_grid->setDevice(device);
    m_grid->editor().setChangeGuard(
        [this] { return doc() != nullptr && doc()->beforeChange("edit"); });
    m_core = std::make_unique<CMapCorrPageCore>(m_grid->model(), *device);
    return true;
}

bool CMapCorrPage::activate() {
    if (doc() == nullptr)
        return true;
    bindDevice();
    m_grid->setSeams(seams());
    // The result does not matter here: without the password the page stays
    // empty (updatePage hides the grid).
    CPasswdDlg::ensureServiceAccess(*doc(), this);
    updatePage();
    // An open settings file is edited in its image; the controller is left alone.
    DeviceSettings* file = doc()->fileImage();
    m_grid->setFileImage(file, [this] {
        if (doc() != nullptr)
            doc()->fileChanged();
    });
    try {
        if (m_core && file == nullptr) {
            m_core->activate();
        } else {
            CBusyScope busy(seams().cursor);
            m_grid->model().loadFrom(doc()->settings());
            m_grid->model().setModified(false);
        }
        m_grid->editor().documentShown();
        m_grid->update();
    } catch (IError* e) {
        vexor::reportMapError(seams(), kHandlerActivate, std::unique_ptr<IError>(e));
    }
    return true;
}

void CMapCorrPage::updatePage() {
    const bool open = doc() != nullptr && doc()->serviceAccess();
    // Without the service password the page is empty and nothing on it
    // takes a key or a click: hidden and disabled both.
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child)) {
            widget->setVisible(open);
            widget->setEnabled(open);
        }
    }
    m_texts.apply(this);
    m_propose->setText(QString::fromStdString(vexor::translate(CMapProposalDlg::kMenuText)));
    m_grid->setMenuId(m_core ? m_core->menuId() : vexor::mapMenuId(vexor::currentLanguage()));
    // The empty page says why it is empty and offers the password, as the
    // advanced page does.
    if (open) {
        setGate(QString());
        return;
    }
    QWidget* bar = gateBar();
    bar->setGeometry(6, 5, qMax(width() - 12, 400), 48);
    setGate(QString::fromStdString(vexor::translate("Ta strona wymaga hasła serwisowego.")),
            QString::fromStdString(vexor::translate("Podaj hasło")), [this] {
                if (doc() != nullptr && CPasswdDlg::ensureServiceAccess(*doc(), this))
                    activate();
            });
}

void CMapCorrPage::refreshLive() {
    if (!m_core || (doc() != nullptr && doc()->isOffline()))
        return;
    // A lost connection or a map rewritten whole while the page is open ends
    // the undo history as it would on the next visit of the page.
    m_grid->editor().documentShown();
    const SCellIndex previous = m_grid->model().livePoint();
    if (m_core->liveRefresh())
        m_grid->livePointMoved(previous);
    m_grid->trailChanged();
}
