#pragma once

class CAppPropPage;

namespace vexor {

// Puts the page's caption, in the current language, in the middle of a page
// that has nothing else to show yet.
void showPageCaption(CAppPropPage* page);

} // namespace vexor
