#include "app/ValuePanel.h"

#include "app/ControlIds.h"
#include "controls/ColorStatic.h"
#include "controls/Colors.h"
#include "controls/CtrlId.h"
#include "controls/LambdaBar.h"

#include <QGroupBox>
#include <QLabel>

namespace vexor {

namespace {

QLabel* label(QWidget* parent, int id, int x, int y, int w = 110, int h = 20) {
    auto* result = new QLabel(parent);
    setCtrlId(result, id);
    result->setGeometry(x, y, w, h);
    return result;
}

QGroupBox* group(QWidget* parent, int id, int x, int y, int w, int h) {
    auto* result = new QGroupBox(parent);
    setCtrlId(result, id);
    result->setGeometry(x, y, w, h);
    result->lower();
    return result;
}

CColorStatic* field(QWidget* parent, int id, int x, int y, int w, int h, std::uint32_t color) {
    auto* result = new CColorStatic(parent);
    setCtrlId(result, id);
    result->setGeometry(x, y, w, h);
    result->setTextColor(color);
    result->setBackgroundColor(kRefWhite);
    result->setFramed(true);
    return result;
}

QWidget* lambdaPlace(QWidget* parent, int id, int x, int y) {
    auto* result = new CLambdaDisplay(parent);
    setCtrlId(result, id);
    // Tall enough for the bar and, under it, the words lean and rich.
    result->setGeometry(x, y, 220, kLambdaDisplayHeight);
    return result;
}

} // namespace

std::array<CColorStatic*, 9> SValuePanel::valueFields() const {
    return {lambda1, lambda2, gasTime1, gasPressure, rpm, gasTempr, reducerTempr, manifold, supply};
}

SValuePanel buildValuePanel(QWidget* parent, int x, int y) {
    using namespace ids;
    SValuePanel p;
    // Labels carry their unit, so they get the wider column.
    const int lx = x + 8;   // labels
    const int fx = x + 122; // value fields
    const int fw = 110;
    const int fh = 26;

    group(parent, kGrpRpm, x, y, 240, 50);
    label(parent, kLblRpm, lx, y + 21);
    p.rpm = field(parent, kRpm, fx, y + 18, fw, fh, kValueColors[4]);

    group(parent, kGrpPressure, x, y + 54, 240, 76);
    label(parent, kLblPressGas, lx, y + 75);
    p.gasPressure = field(parent, kGasPressure, fx, y + 72, fw, fh, kValueColors[3]);
    label(parent, kLblPressManifold, lx, y + 103);
    p.manifold = field(parent, kManifold, fx, y + 100, fw, fh, kValueColors[7]);

    group(parent, kGrpTempr, x, y + 132, 240, 76);
    label(parent, kLblTemprGas, lx, y + 153);
    p.gasTempr = field(parent, kGasTempr, fx, y + 150, fw, fh, kValueColors[5]);
    label(parent, kLblTemprReducer, lx, y + 181);
    p.reducerTempr = field(parent, kReducerTempr, fx, y + 178, fw, fh, kValueColors[6]);

    group(parent, kGrpVoltage, x, y + 210, 240, 50);
    label(parent, kLblSupply, lx, y + 231);
    p.supply = field(parent, kSupply, fx, y + 228, fw, fh, kValueColors[8]);

    label(parent, kLblLambda1, lx, y + 267);
    p.lambda1 = field(parent, kLambda1, fx, y + 264, fw, fh, kValueColors[0]);
    p.lambdaDisplays[0] = lambdaPlace(parent, kLambdaDisplay1, lx, y + 292);
    label(parent, kLblLambda2, lx, y + 332);
    p.lambda2 = field(parent, kLambda2, fx, y + 329, fw, fh, kValueColors[1]);
    p.lambdaDisplays[1] = lambdaPlace(parent, kLambdaDisplay2, lx, y + 357);

    label(parent, kLblGasTime, lx, y + 397);
    p.gasTime1 = field(parent, kGasTime1, fx, y + 394, fw, fh, kValueColors[2]);

    group(parent, kGrpInjTime, x, y + 424, 240, 186);
    for (size_t i = 0; i < 8; ++i) {
        const int cx = lx + static_cast<int>(i / 4) * 115;
        const int cy = y + 450 + static_cast<int>(i % 4) * 38;
        label(parent, kLblCyl[i], cx, cy, 45);
        p.cylinders[i] = field(parent, kCylColumn[i], cx + 48, cy - 3, 60, fh, kRefRed);
    }
    return p;
}

void showLiveTexts(const SValuePanel& panel, const SLiveTexts& texts) {
    panel.gasPressure->setText(QString::fromStdString(texts.gasPressure));
    panel.manifold->setText(QString::fromStdString(texts.manifold));
    panel.gasTempr->setText(QString::fromStdString(texts.gasTempr));
    panel.reducerTempr->setText(QString::fromStdString(texts.reducerTempr));
    panel.supply->setText(QString::fromStdString(texts.supply));
    panel.lambda1->setText(QString::fromStdString(texts.lambda1));
    panel.lambda2->setText(QString::fromStdString(texts.lambda2));
    panel.rpm->setText(QString::fromStdString(texts.rpm));
    panel.gasTime1->setText(QString::fromStdString(texts.gasTime1));
    for (size_t i = 0; i < panel.cylinders.size(); ++i)
        panel.cylinders[i]->setText(QString::fromStdString(texts.petrol[i]));
}

void showPanelStale(const SValuePanel& panel, bool stale) {
    const auto fields = panel.valueFields();
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setTextColor(stale ? kRefStaleGrey : kValueColors[i]);
    for (CColorStatic* cylinder : panel.cylinders)
        cylinder->setTextColor(stale ? kRefStaleGrey : kRefRed);
    for (QWidget* display : panel.lambdaDisplays) {
        if (auto* bar = qobject_cast<CLambdaDisplay*>(display))
            bar->setDark(stale);
    }
}

void blankLiveTexts(const SValuePanel& panel) {
    for (CColorStatic* fieldWidget : panel.valueFields())
        fieldWidget->setText(QString());
    for (CColorStatic* cylinder : panel.cylinders)
        cylinder->setText(QString());
}

} // namespace vexor
