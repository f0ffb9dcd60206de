#include "maps/MapPageDlg.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "controls/CtrlId.h"
#include "controls/LambdaBar.h"
#include "maps/MapMessages.h"
#include "maps/MapPageIds.h"
#include "maps/MultiplierChartWidget.h"
#include "obd/ObdDiagnostic.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

using namespace vexor;
using namespace vexor::mapids;

namespace {

// The larger form: the chart grows, the right column and the bottom row
// move with it.
constexpr int kShiftRight = 200;
constexpr int kShiftDown = 115;
constexpr int kChartHeight = 485;
// Without OBD values the chart takes the group's room.
constexpr int kObdRoom = 80;

} // namespace

CMapPageDlg::CMapPageDlg(QWidget* parent) : CMapPage(parent) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == chart())
            continue;
        const QRect r = child->geometry();
        if (r.x() >= 570) {
            child->move(r.x() + kShiftRight, r.y());
        } else {
            child->move(r.x(), r.y() + kShiftDown);
            m_bottomRow.push_back(child);
        }
    }
    chart()->setGeometry(5, 5, 760, kChartHeight);
    buildSensors();
    buildObd();
}

CMapPageDlg::~CMapPageDlg() = default;

void CMapPageDlg::buildSensors() {
    const int x = 575 + kShiftRight;
    addLabel(kLblLambda1, x, 330, 70);
    m_lambda1 = addField(kLambda1, x + 75, 330, 60);
    m_bar1 = new CLambdaDisplay(this);
    setCtrlId(m_bar1, kLambdaBar1);
    m_bar1->setGeometry(x, 354, 200, 30);
    addLabel(kLblLambda2, x, 392, 70);
    m_lambda2 = addField(kLambda2, x + 75, 392, 60);
    m_bar2 = new CLambdaDisplay(this);
    setCtrlId(m_bar2, kLambdaBar2);
    m_bar2->setGeometry(x, 416, 200, 30);

    addLabel(kLblPressure, x, 458, 110);
    m_gasPressure = addField(kGasPressure, x + 115, 458, 60);
    addLabel(kLblManifold, x, 482, 110);
    m_manifold = addField(kManifold, x + 115, 482, 60);
    addLabel(kLblGasTempr, x, 506, 110);
    m_gasTempr = addField(kGasTempr, x + 115, 506, 60);
    addLabel(kLblReducerTempr, x, 530, 110);
    m_reducerTempr = addField(kReducerTempr, x + 115, 530, 60);
}

void CMapPageDlg::buildObd() {
    m_obdGroup = new QGroupBox(this);
    setCtrlId(m_obdGroup, kGrpObd);
    m_obdGroup->setGeometry(5, 525, 760, 115);

    auto label = [this](int id, int x, int y, int w) {
        auto* l = new QLabel(m_obdGroup);
        setCtrlId(l, id);
        l->setGeometry(x, y, w, 18);
        return l;
    };
    auto field = [this](int id, int x, int y) {
        auto* f = new QLabel(m_obdGroup);
        setCtrlId(f, id);
        f->setGeometry(x, y, 70, 18);
        f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return f;
    };
    label(kLblBank1, 230, 16, 70);
    label(kLblBank2, 320, 16, 70);
    const std::array<int, 4> rows = {kLblShortTrim, kLblLongTrim, kLblLambdaBefore,
                                     kLblLambdaAfter};
    for (std::size_t r = 0; r < rows.size(); ++r)
        label(rows[r], 10, 36 + static_cast<int>(r) * 19, 210);
    // Slots 1..8: trims of bank 1 and 2 (short, long each), then the oxygen
    // sensors bank 1 before / after and bank 2 before / after.
    const std::array<std::pair<int, int>, 8> cells = {
        {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 0}, {3, 0}, {2, 1}, {3, 1}}};
    for (std::size_t s = 0; s < cells.size(); ++s) {
        const auto [row, bank] = cells[s];
        m_obdFields[s] = field(kObdSlots[s], 230 + bank * 90, 36 + row * 19);
    }
    for (int i = 0; i < 4; ++i)
        label(kLblVolts[i], 230 + (i % 2) * 90 + 74, 36 + (2 + i / 2) * 19, 12);
    m_obdGroup->hide();
}

bool CMapPageDlg::obdShown() const {
    return !m_obdGroup->isHidden();
}

void CMapPageDlg::initDialog() {
    progressBar()->hide();
    CLPGDevice* document = doc() != nullptr ? doc()->controller() : nullptr;
    bool available = false;
    try {
        if (document != nullptr) {
            m_obd = std::make_unique<CObdDiagnostic>(*document);
            available = m_obd->initialise();
        }
    } catch (IError* e) {
        reportMapError(seams(), kHandlerCalibrationInit, std::unique_ptr<IError>(e));
    }
    m_obdGroup->setVisible(available);
    if (!available) {
        QRect r = chart()->geometry();
        r.setHeight(kChartHeight + kObdRoom);
        chart()->setGeometry(r);
        for (QWidget* w : m_bottomRow)
            w->move(w->x(), w->y() + kObdRoom);
    }
    if (doc() != nullptr) {
        m_bar1->setType(doc()->settings().m_sensorsSetup.m_lambdaType);
        m_bar2->setType(doc()->settings().m_sensorsSetup.m_lambdaType);
    }
}

void CMapPageDlg::showLive(const SCalibrationLive& live) {
    setField(m_lambda1, live.lambda1Text);
    setField(m_lambda2, live.lambda2Text);
    m_bar1->setValue(live.lambda1);
    m_bar2->setValue(live.lambda2);
    setField(m_gasPressure, live.gasPressureText);
    setField(m_manifold, live.manifoldText);
    setField(m_gasTempr, live.gasTemprText);
    setField(m_reducerTempr, live.reducerTemprText);
    if (m_obd && m_obd->available()) {
        m_obd->onGetDiag();
        for (std::size_t s = 0; s < m_obdFields.size(); ++s)
            setField(m_obdFields[s], m_obd->text(static_cast<int>(s) + 1));
    }
}
