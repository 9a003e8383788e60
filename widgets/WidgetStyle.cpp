#include "widgets/WidgetStyle.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>

#include <cmath>

namespace orlan {

namespace {

constexpr double kHeadingScale = 1.4;

} // namespace

QFont ScaledFont(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * factor)));
    return font;
}

QLabel* CreatePageHeading(const QString& text, QWidget* parent)
{
    auto* heading = new QLabel(text, parent);
    heading->setObjectName(QStringLiteral("heading"));
    QFont font = ScaledFont(heading->font(), kHeadingScale);
    font.setBold(true);
    heading->setFont(font);
    heading->setVisible(!text.isEmpty());
    return heading;
}

void SetVisibleLines(QPlainTextEdit* box, int lines)
{
    const QFontMetrics metrics(box->font());
    const int margins = 2 * box->frameWidth() + static_cast<int>(std::ceil(2 * box->document()->documentMargin()));
    box->setFixedHeight(metrics.lineSpacing() * lines + margins);
}

} // namespace orlan
