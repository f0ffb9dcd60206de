#include "report/JobSheetDlg.h"

#include "PagedHtml.h"
#include "app/IDocumentPort.h"
#include "device/LPGDevice.h"
#include "lang/Translate.h"
#include "platform/AtomicFile.h"
#include "platform/StationCode.h"
#include "report/BackupBaseline.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetHtml.h"
#include "report/JobSheetPhrases.h"
#include "report/JobSheetSession.h"
#include "report/Workshop.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#ifdef VEXOR_HAVE_PRINTER
#include <QPrintDialog>
#include <QPrinter>
#endif

#include <cstdio>
#include <ctime>
#include <optional>
#include <tuple>

namespace {

constexpr const char* kMsgWrite = "Nie można zapisać karty zlecenia do pliku";

QString tr8(const char* polish) {
    return QString::fromStdString(vexor::translate(polish));
}

} // namespace

CJobSheetDlg::CJobSheetDlg(IDocumentPort& doc, const Seams& seams, CJobSheetSession& session,
                           QWidget* parent)
    : QDialog(parent), m_doc(doc), m_seams(seams) {
    setWindowTitle(tr8(vexor::jobsheet::kTitle));
    const SWorkshop workshop = vexor::loadWorkshop(configFolder());
    m_name = new QLineEdit(QString::fromStdString(workshop.name), this);
    m_address = new QPlainTextEdit(QString::fromStdString(workshop.address), this);
    m_address->setMaximumHeight(m_address->fontMetrics().lineSpacing() * 4);
    m_preview = new QTextBrowser(this);

    auto* form = new QFormLayout;
    form->addRow(tr8("Nazwa warsztatu"), m_name);
    form->addRow(tr8("Adres warsztatu"), m_address);
    using namespace vexor::jobsheet;
    const char* const vehicleLabels[] = {kVendor, kModel, kRegistration, kOdometer, kCustomer};
    auto* car = new QFormLayout;
    for (std::size_t i = 0; i < m_vehicle.size(); ++i) {
        m_vehicle[i] = new QLineEdit(this);
        car->addRow(tr8(vehicleLabels[i]), m_vehicle[i]);
    }
    m_workDone = new QPlainTextEdit(this);
    m_workDone->setMaximumHeight(m_workDone->fontMetrics().lineSpacing() * 4);
    car->addRow(tr8(kWorkDone), m_workDone);
    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addLayout(car, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* pdf = buttons->addButton(tr8("Zapisz PDF..."), QDialogButtonBox::ActionRole);
    QPushButton* html = buttons->addButton(tr8("Zapisz HTML..."), QDialogButtonBox::ActionRole);
#ifdef VEXOR_HAVE_PRINTER
    QPushButton* print = buttons->addButton(tr8("Drukuj..."), QDialogButtonBox::ActionRole);
    connect(print, &QPushButton::clicked, this, [this] { OnPrint(); });
#endif
    QPushButton* close = buttons->addButton(tr8("Zamknij"), QDialogButtonBox::RejectRole);
    connect(pdf, &QPushButton::clicked, this, [this] { OnSavePdf(); });
    connect(html, &QPushButton::clicked, this, [this] { OnSaveHtml(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    resize(900, 860);

    gather(session);
    connect(m_name, &QLineEdit::editingFinished, this, [this] { workshopEdited(); });
    connect(m_address, &QPlainTextEdit::textChanged, this, [this] { workshopEdited(); });
    for (QLineEdit* edit : m_vehicle)
        connect(edit, &QLineEdit::editingFinished, this, [this] { vehicleEdited(); });
    connect(m_workDone, &QPlainTextEdit::textChanged, this, [this] { vehicleEdited(); });
}

std::string CJobSheetDlg::configFolder() const {
    return m_doc.folder(IDocumentPort::Folder::Config);
}

void CJobSheetDlg::gather(CJobSheetSession& session) {
    SJobSheetInputs& inputs = m_inputs;
    inputs.when = std::time(nullptr);
    inputs.demo = m_doc.isDemo();
    vexor::stationCode(inputs.thisStation.data());
    CDiag record;
    if (m_doc.latestRecord(record))
        inputs.liveRecord = record;
    CLPGDevice* device = m_doc.controller();
    if (device && m_doc.isConnected()) {
        // The work times move while the engine runs: the sheet reads them
        // now, not whenever something last happened to read them.
        (void)m_doc.readStatistic();
        std::tie(inputs.atConnection, inputs.now) = session.read(*device);
        LoadMap map;
        if (device->readGasolineMap(map))
            inputs.petrolLoadMap = map;
        if (device->readLpgMap(map))
            inputs.gasLoadMap = map;
        if (!m_doc.isDemo())
            m_baseline = vexor::dayBaseline(m_doc.folder(IDocumentPort::Folder::Data),
                                            m_doc.settings().m_devInfo.m_serial, inputs.when);
    }
    if (device)
        inputs.calibration = device->lastAutoCalibration();
    inputs.settings = &m_doc.settings();
    inputs.baseline = m_baseline ? &*m_baseline : nullptr;
    m_serial = m_doc.settings().m_devInfo.m_serial;
    const SVehicleRecord kept = vexor::loadVehicleRecord(configFolder(), m_serial);
    const std::string* values[] = {&kept.make, &kept.model, &kept.registration, &kept.odometer,
                                   &kept.customer};
    for (std::size_t i = 0; i < m_vehicle.size(); ++i)
        m_vehicle[i]->setText(QString::fromStdString(*values[i]));
    m_workDone->setPlainText(QString::fromStdString(kept.workDone));
    inputs.vehicle = kept;
    m_sheet = vexor::buildJobSheet(inputs);
    workshopEdited();
}

SVehicleRecord CJobSheetDlg::enteredVehicle() const {
    const auto text = [this](int i) { return vehicleEdit(i)->text().trimmed().toStdString(); };
    return {text(0), text(1), text(2), text(3), text(4), m_workDone->toPlainText().toStdString()};
}

void CJobSheetDlg::vehicleEdited() {
    const SVehicleRecord entered = enteredVehicle();
    if (entered == m_inputs.vehicle)
        return;
    m_inputs.vehicle = entered;
    // The rest of the sheet stays as read when the dialog opened.
    CJobSheet sheet = vexor::buildJobSheet(m_inputs);
    m_sheet.vehicle = sheet.vehicle;
    m_sheet.customer = sheet.customer;
    m_preview->setHtml(QString::fromStdString(html()));
    vexor::saveVehicleRecord(configFolder(), m_serial, entered);
}

void CJobSheetDlg::workshopEdited() {
    m_sheet.workshopName = m_name->text().toStdString();
    m_sheet.workshopAddress = m_address->toPlainText().toStdString();
    m_preview->setHtml(QString::fromStdString(html()));
    const SWorkshop workshop{m_sheet.workshopName, m_sheet.workshopAddress};
    if (!(workshop == vexor::loadWorkshop(configFolder())))
        vexor::saveWorkshop(configFolder(), workshop);
}

void CJobSheetDlg::run(IDocumentPort& doc, const Seams& seams, QWidget* parent) {
    // The document's session keeps what each controller had at its
    // connection; without one, the program run's first sheet stands in.
    static CJobSheetSession fallback;
    CJobSheetSession* session = doc.jobSheetSession();
    CJobSheetDlg dialog(doc, seams, session ? *session : fallback, parent);
    dialog.exec();
}

std::string CJobSheetDlg::html() const {
    return vexor::jobSheetHtml(m_sheet);
}

void CJobSheetDlg::failed() const {
    m_seams.message(vexor::translate(kMsgWrite), IUserPrompt::Icon::Error);
}

bool CJobSheetDlg::OnSavePdf() {
    if (!m_seams.chooser)
        return false;
    const std::string path = m_seams.chooser->savePath(m_doc.folder(IDocumentPort::Folder::Data),
                                                       "pdf", "job-sheet.pdf");
    if (path.empty())
        return false;
    std::string error;
    if (!vexor::print::writePdf(html(), vexor::translate(vexor::jobsheet::kTitle), path, error)) {
        failed();
        return false;
    }
    m_doc.recordVisit("jobsheet", {path});
    return true;
}

bool CJobSheetDlg::OnSaveHtml() {
    if (!m_seams.chooser)
        return false;
    const std::string path = m_seams.chooser->savePath(m_doc.folder(IDocumentPort::Folder::Data),
                                                       "html", "job-sheet.html");
    if (path.empty())
        return false;
    const std::string text = html();
    CAtomicFile file;
    if (!file.open(path) ||
        std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size() || !file.commit()) {
        failed();
        return false;
    }
    m_doc.recordVisit("jobsheet", {path});
    return true;
}

void CJobSheetDlg::OnPrint() {
#ifdef VEXOR_HAVE_PRINTER
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    vexor::print::paintHtml(html(), printer);
#endif
}
