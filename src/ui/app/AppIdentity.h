#pragma once

#include <QString>

// What the desktop shows of the program: the name task bars and Wayland
// compositors match against the installed desktop entry, the icon of every
// window, and the facts the About box gives (version, build date, licence,
// address).
namespace vexor {

// Sets the application's name, version, desktop-file name and window icon.
// Called once, right after the QApplication is made.
void applyAppIdentity();

// "VEXOR 1.2.3 (built 2026-12-08)\nLicence: ...\nhttps://..." in English;
// the About box puts it under its translated text so it can be copied whole.
QString appFacts();

} // namespace vexor
