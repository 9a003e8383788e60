#pragma once
// Small pieces of look shared by the page views: the page heading, scaled
// fonts and text boxes sized by lines rather than pixels.
#include <QFont>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace orlan {

// `font` scaled by `factor`, whether it is sized in points or pixels.
QFont ScaledFont(QFont font, double factor);
// The bold heading at the top of a page; hidden when `text` is empty.
QLabel* CreatePageHeading(const QString& text, QWidget* parent);
// Fixes the box's height to `lines` lines of its current font.
void SetVisibleLines(QPlainTextEdit* box, int lines);

} // namespace orlan
