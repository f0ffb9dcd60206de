#include "maps/MapProposalDlg.h"

#include "app/IDocumentPort.h"
#include "diag/RecordingLoader.h"
#include "lang/Translate.h"
#include "maps/DriveHistory.h"
#include "maps/MapEditor.h"
#include "maps/ProposalGrid.h"
#include "pages/PasswdDlg.h"
#include "platform/Seams.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr const char* kTitle = "Zaproponuj mapę z jazd";
constexpr const char* kBtnFiles = "Zapisy z plików...";
constexpr const char* kBtnThisDrive = "Ta jazda";
constexpr const char* kBtnLeaveOut = "Pomiń komórki";
constexpr const char* kBtnLock = "Zablokuj komórki";
constexpr const char* kBtnApply = "Zastosuj";
constexpr const char* kBtnClose = "Zamknij";
constexpr const char* kLblMinSamples = "Najmniej zapisów na paliwo";
constexpr const char* kLblMaxChange = "Największa zmiana (0: bez granicy)";
constexpr const char* kLblResistance = "Opór komórki (zapisy)";
constexpr const char* kLblSettled = "Ustalona w granicach (%, 0: wył.)";
constexpr const char* kLblAfterSwitch = "Pomiń po przełączeniu (s)";
constexpr const char* kChkNeighbours = "Zapis liczy się dla sąsiednich komórek";
constexpr const char* kChkLambda = "Pomiń sondę lambda na granicy";
constexpr const char* kChkLive = "Odświeżaj podczas jazdy";
constexpr const char* kLblRecords = "Zapisy (benzyna / gaz):";
constexpr const char* kMsgNoRecords = "Brak zapisów tej jazdy";
constexpr int kLivePeriodMs = 2000;
} // namespace

CMapProposalDlg::CMapProposalDlg(IDocumentPort& doc, CMapEditor& editor, const Seams& seams,
                                 QWidget* parent)
    : QDialog(parent), m_doc(doc), m_editor(editor), m_seams(seams),
      m_grid(new CProposalGrid(this)), m_summary(new QLabel(this)),
      m_minSamples(new QSpinBox(this)), m_maxChange(new QSpinBox(this)),
      m_resistance(new QSpinBox(this)), m_settled(new QDoubleSpinBox(this)),
      m_afterSwitch(new QDoubleSpinBox(this)),
      m_neighbours(new QCheckBox(text(kChkNeighbours), this)),
      m_lambdaRails(new QCheckBox(text(kChkLambda), this)),
      m_live(new QCheckBox(text(kChkLive), this)), m_apply(new QPushButton(text(kBtnApply), this)) {
    setWindowTitle(text(kTitle));
    m_chooser = [this] {
        return QFileDialog::getOpenFileNames(this, text(kBtnFiles), QString(),
                                             QStringLiteral("*.osc;;*"));
    };
    m_minSamples->setRange(1, 100000);
    m_minSamples->setValue(m_options.minSamples);
    m_maxChange->setRange(0, 50);
    m_resistance->setRange(0, 100000);
    m_settled->setRange(0.0, 10.0);
    m_settled->setDecimals(1);
    m_afterSwitch->setRange(0.0, 60.0);
    m_afterSwitch->setDecimals(1);

    auto* sources = new QHBoxLayout;
    auto* files = new QPushButton(text(kBtnFiles), this);
    auto* thisDrive = new QPushButton(text(kBtnThisDrive), this);
    thisDrive->setEnabled(doc.driveHistory() != nullptr);
    sources->addWidget(files);
    sources->addWidget(thisDrive);
    sources->addWidget(m_live);
    sources->addWidget(m_summary, 1);

    auto* form = new QFormLayout;
    form->addRow(text(kLblMinSamples), m_minSamples);
    form->addRow(text(kLblMaxChange), m_maxChange);
    form->addRow(text(kLblResistance), m_resistance);
    form->addRow(text(kLblSettled), m_settled);
    form->addRow(text(kLblAfterSwitch), m_afterSwitch);
    form->addRow(m_neighbours);
    form->addRow(m_lambdaRails);

    auto* cells = new QVBoxLayout;
    auto* leaveOut = new QPushButton(text(kBtnLeaveOut), this);
    auto* lock = new QPushButton(text(kBtnLock), this);
    auto* close = new QPushButton(text(kBtnClose), this);
    cells->addLayout(form);
    cells->addWidget(leaveOut);
    cells->addWidget(lock);
    cells->addStretch(1);
    cells->addWidget(m_apply);
    cells->addWidget(close);

    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 0, Qt::AlignTop);
    body->addLayout(cells);
    auto* all = new QVBoxLayout(this);
    all->addLayout(sources);
    all->addLayout(body);

    connect(files, &QPushButton::clicked, this, &CMapProposalDlg::onAddRecordings);
    connect(thisDrive, &QPushButton::clicked, this, &CMapProposalDlg::onThisDrive);
    connect(leaveOut, &QPushButton::clicked, this, &CMapProposalDlg::onLeaveOut);
    connect(lock, &QPushButton::clicked, this, &CMapProposalDlg::onLock);
    connect(m_apply, &QPushButton::clicked, this, &CMapProposalDlg::onApply);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    for (QSpinBox* box : {m_minSamples, m_maxChange, m_resistance})
        connect(box, &QSpinBox::valueChanged, this, &CMapProposalDlg::refresh);
    for (QDoubleSpinBox* box : {m_settled, m_afterSwitch})
        connect(box, &QDoubleSpinBox::valueChanged, this, &CMapProposalDlg::refresh);
    for (QCheckBox* box : {m_neighbours, m_lambdaRails})
        connect(box, &QCheckBox::toggled, this, &CMapProposalDlg::refresh);
    // The live mode only ever proposes; writing stays the fitter's click.
    m_live->setEnabled(doc.driveHistory() != nullptr);
    connect(m_live, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            m_thisDrive = true;
            m_liveTimer.start(kLivePeriodMs);
            refresh();
        } else {
            m_liveTimer.stop();
        }
    });
    connect(&m_liveTimer, &QTimer::timeout, this, &CMapProposalDlg::refresh);
    refresh();
}

QString CMapProposalDlg::text(const char* polish) const {
    return QString::fromStdString(vexor::translate(polish));
}

void CMapProposalDlg::run(IDocumentPort& doc, CMapEditor& editor, const Seams& seams,
                          QWidget* parent) {
    if (!CPasswdDlg::ensureServiceAccess(doc, parent))
        return;
    CMapProposalDlg dialog(doc, editor, seams, parent);
    dialog.exec();
}

void CMapProposalDlg::onAddRecordings() {
    const QStringList paths = m_chooser ? m_chooser() : QStringList();
    for (const QString& path : paths) {
        vexor::DriveRun run;
        const std::string file = path.toStdString();
        const SRecordingLoad load = vexor::readDriveRun(file, run);
        if (load.status != SRecordingLoad::Status::Complete) {
            // A damaged recording is refused whole: its lines up to the
            // damage may hold anything.
            std::string message = vexor::recordingLoadMessage(load, file);
            if (load.status == SRecordingLoad::Status::Damaged)
                message += "\n" + file;
            if (m_seams.prompt != nullptr)
                m_seams.prompt->message(message, IUserPrompt::Icon::Error);
            continue;
        }
        m_files.push_back(std::move(run));
    }
    refresh();
}

void CMapProposalDlg::onThisDrive() {
    CDriveHistory* history = m_doc.driveHistory();
    if (history == nullptr || history->size() == 0) {
        if (m_seams.prompt != nullptr)
            m_seams.prompt->message(vexor::translate(kMsgNoRecords),
                                    IUserPrompt::Icon::Information);
        return;
    }
    m_thisDrive = true;
    refresh();
}

void CMapProposalDlg::toggle(
    std::array<std::array<bool, vexor::kMapColumnCount>, vexor::kMapRowCount>& cells) {
    const std::optional<vexor::SCellBlock> block = m_grid->selection();
    if (!block)
        return;
    // The whole rectangle takes the opposite of its first cell.
    const bool on = !cells[block->row][block->column];
    for (int r = block->row; r < block->row + block->rows; ++r)
        for (int c = block->column; c < block->column + block->columns; ++c)
            cells[r][c] = on;
    refresh();
}

void CMapProposalDlg::onLeaveOut() {
    toggle(m_options.leftOut);
}

void CMapProposalDlg::onLock() {
    toggle(m_options.locked);
}

void CMapProposalDlg::refresh() {
    m_options.minSamples = m_minSamples->value();
    m_options.maxChange = m_maxChange->value();
    m_options.resistance = m_resistance->value();
    m_options.settledPercent = m_settled->value() > 0.0 ? m_settled->value() : -1.0;
    m_options.filter.afterSwitchSeconds = m_afterSwitch->value();
    m_options.neighbours = m_neighbours->isChecked();
    m_options.filter.skipLambdaRails = m_lambdaRails->isChecked();
    const DeviceSettings& settings = m_doc.settings();
    m_options.filter.switchTemprC = settings.m_base.m_switchTempr;

    m_proposal.clear();
    for (const vexor::DriveRun& run : m_files)
        m_proposal.addRun(run);
    if (m_thisDrive && m_doc.driveHistory() != nullptr)
        m_proposal.addRun(m_doc.driveHistory()->snapshot());
    m_proposal.setOptions(m_options);
    const vexor::SMapProposal result =
        m_proposal.propose(vexor::mapValuesOf(settings), settings.m_corrMap.m_flags);
    m_grid->setProposal(result);
    m_summary->setText(text(kLblRecords) +
                       QStringLiteral(" %1 / %2    ").arg(result.keptPetrol).arg(result.keptGas) +
                       QString::fromStdString(vexor::translate("Zmienione komórki mapy:")) +
                       QStringLiteral(" %1").arg(result.changed));
    m_apply->setEnabled(result.changed > 0);
}

void CMapProposalDlg::onApply() {
    refresh();
    const vexor::MapValues target = m_grid->proposal().proposed;
    const CMapEditor::Result result =
        m_editor.applyMap(target, [this] { return m_doc.beforeChange("map"); });
    if (result == CMapEditor::Result::Sent)
        refresh(); // the applied map is the current one now
}
