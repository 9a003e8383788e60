#pragma once
// Icons that cost nothing until they are drawn, and then only the sizes
// drawn: a picture painted at the size asked for, and the style's standard
// icon (the built-in style decodes every size it has, up to 128 pixels, as
// soon as such an icon is made).
#include <QIcon>
#include <QList>
#include <QSize>
#include <QStyle>

#include <functional>

class QPainter;

namespace orlan {

// `draw` paints the picture into the square (0, 0, side, side). `sizes` are
// the sizes offered to whoever asks which there are (a window icon).
using FIconPainter = std::function<void(QPainter& painter, qreal side)>;
QIcon PaintedIcon(FIconPainter draw, QList<QSize> sizes);

// The application style's standard icon, taken from the style when drawn.
QIcon StyleIcon(QStyle::StandardPixmap which);

} // namespace orlan
