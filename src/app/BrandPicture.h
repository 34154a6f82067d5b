#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

// The program's picture, shown by the splash window and the About box, and its window icon.
// Both are drawn here rather than shipped as files.
QImage MakeBrandPicture(QSize size);
QIcon MakeAppIcon();
