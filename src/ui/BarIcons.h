#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures of the bars' buttons: the resource :/icons/<name>.svg drawn at size x size
// pixels (and at twice that for high-density screens). A missing picture gives an empty icon.
QIcon BarIcon(const QString& name, int size);

// An SVG resource drawn into a transparent pixmap of size x size pixels; null when the
// resource is missing or not a valid picture.
QPixmap RenderSvg(const QString& path, int size);
