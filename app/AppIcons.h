#pragma once
// The few pictures the program draws itself instead of shipping image files:
// its window icon and the port state lamp.
#include <QIcon>
#include <QPixmap>

namespace orlan {

QIcon AppIcon();
// A lamp: green when the port is open, grey when it is closed.
QPixmap PortStatePixmap(bool open, int size);
// An eye, struck through while the text it reveals is hidden.
QIcon RevealIcon(bool revealed);

} // namespace orlan
