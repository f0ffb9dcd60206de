#include "pages/PageCaption.h"

#include "lang/Translate.h"
#include "pages/AppPropPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vexor {

void showPageCaption(CAppPropPage* page) {
    auto* label = new QLabel(QString::fromStdString(translate(page->polishCaption())), page);
    label->setObjectName(QStringLiteral("pageCaption"));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label);
}

} // namespace vexor
