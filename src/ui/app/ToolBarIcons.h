#pragma once

#include <QIcon>
#include <QPixmap>

namespace vexor {

// The toolbar's pictures, drawn at run time so that no language needs its own
// bitmap: the words sit under the icons as button text.
QIcon toolBarIcon(int commandId);

// The splash and About picture.
QPixmap brandPicture(const QSize& size);

} // namespace vexor
