#pragma once

#include <QByteArray>
#include <QString>

// The desktop's accessibility wish for less motion. Linux has no single switch for it, so the
// settings that desktops use to turn animations off are read: GNOME's "enable-animations",
// GTK's "gtk-enable-animations" and KDE's instant animation speed.
namespace ReducedMotion {

// Read once, on first use, and kept for the application's life.
bool desktop();

// The readers of each source; each answers false when its source says nothing.
bool fromGsettings(const QByteArray& answer); // the output of `gsettings get … enable-animations`
bool fromGtkSettings(const QString& settingsIni);
bool fromKdeGlobals(const QString& kdeglobals);

} // namespace ReducedMotion
