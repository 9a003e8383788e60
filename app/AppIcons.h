#pragma once
// The few pictures the program draws itself instead of shipping image files:
// its window icon and the port state lamp.
#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace orlan {

QIcon AppIcon();
// The port state lamp, a round dot of the given colour.
QPixmap PortStatePixmap(const QColor& fill, int size);
// An eye, struck through while the text it reveals is hidden.
QIcon RevealIcon(bool revealed);

} // namespace orlan
