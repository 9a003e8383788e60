#include "app/WindowHeader.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/LinkBar.h"
#include "labels/LabelCatalogue.h"
#include "pages/Page.h"
#include "OrlanVersion.h"

namespace orlan {

CWindowHeader::CWindowHeader(const CLabelCatalogue& catalogue, CRegSetting& linkSettings, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("header"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    setPalette(palette);

    auto* title = new QLabel(QString::fromStdString(HeaderTitle(catalogue)), this);
    // A narrow window cuts the title, not the link controls beside it.
    title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    title->setMinimumWidth(80);
    title->setObjectName(QStringLiteral("headerTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_unit = new QLabel(this);
    m_unit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_unit->setObjectName(QStringLiteral("headerUnit"));
    m_unit->setTextFormat(Qt::PlainText);
    auto* version = new QLabel(tr("Orlan tool %1").arg(QString::fromLatin1(kOrlanVersion)), this);
    version->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    version->setObjectName(QStringLiteral("headerVersion"));
    version->setForegroundRole(QPalette::PlaceholderText);
    QFont versionFont = version->font();
    versionFont.setPointSizeF(versionFont.pointSizeF() * 0.85);
    version->setFont(versionFont);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(title);
    titles->addWidget(m_unit);
    titles->addWidget(version);

    m_linkBar = new CLinkBar(catalogue, linkSettings, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->addLayout(titles, 1);
    layout->addWidget(m_linkBar, 0, Qt::AlignVCenter);
}

void CWindowHeader::ShowUnit(const CPage* page)
{
    if (page == nullptr || !page->Fields().Has("unitId") || !page->Fields().IsKnown("unitId")) {
        m_unit->clear();
        return;
    }
    QString line = tr("Unit %1").arg(QString::fromStdString(page->Fields().Text("unitId")).trimmed());
    if (page->Fields().Has("memo") && page->Fields().IsKnown("memo")) {
        const QString memo = QString::fromStdString(page->Fields().Text("memo")).simplified();
        if (!memo.isEmpty())
            line += QStringLiteral(" \u2014 ") + memo;
    }
    m_unit->setText(line);
}

void CWindowHeader::ClearUnit()
{
    m_unit->clear();  // another port may lead to another unit
}

} // namespace orlan
