#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The named symbols of the views (`star.fill`, `waveform`, …) as icons. Each comes from the
// desktop's freedesktop icon theme under its standard name; where the theme has no such icon, or
// a colour is asked for (theme icons bring their own), the same picture is drawn in `color` (the
// text colour when none is given), at the pixel density of the screen it is drawn on. A colour
// from the palette is taken again when drawn, so a change of colour scheme reaches it
// (Style::Tone).
namespace Symbols {

QIcon icon(const QString& symbol, const QColor& color = {});
// The freedesktop name tried first for a symbol; empty when the picture is always drawn.
QString themeName(const QString& symbol);
// Every symbol the views use.
QStringList all();

// Makes the theme reachable where the platform names none (offscreen, bare X servers):
// searches the XDG data folders and picks Adwaita, else hicolor. Called by `icon` once.
void ensureTheme();

} // namespace Symbols
