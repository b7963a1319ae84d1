// The pictograms of the commands: SVG resources drawn on one 24-pixel grid, rendered
// here at each size a bar may ask for, so that no image plug-in is needed at run time.
#pragma once

#include <QIcon>
#include <QString>

// The icon of an SVG resource; a null icon when the resource is missing or unreadable.
QIcon IconeSvg(const QString& chemin);
