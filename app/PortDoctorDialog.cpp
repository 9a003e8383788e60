#include "app/PortDoctorDialog.h"

#include "link/PortDoctor.h"
#include "link/PortDoctorText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orlan {

namespace {

constexpr int kIconSize = 16;
const char* const kDialogName = "portDoctorDialog";

} // namespace

CPortDoctorDialog::CPortDoctorDialog(const QString& devicePath, QWidget* parent)
    : QDialog(parent), m_devicePath(devicePath)
{
    setObjectName(QLatin1String(kDialogName));
    setWindowTitle(tr("Port doctor"));
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    layout->addWidget(m_heading);
    m_lines = new QGridLayout;
    m_lines->setColumnStretch(2, 1);
    layout->addLayout(m_lines);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* again = buttons->addButton(tr("Check again"), QDialogButtonBox::ActionRole);
    QPushButton* copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    connect(again, &QPushButton::clicked, this, &CPortDoctorDialog::Examine);
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(m_text); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    Examine();
}

void CPortDoctorDialog::Examine()
{
    const SPortFindings findings = CPortDoctor({}, RealDoctorSystem()).Examine(m_devicePath);
    m_text = FindingsText(findings);
    m_heading->setText(findings.given);
    while (QLayoutItem* item = m_lines->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    int row = 0;
    for (const SFindingLine& line : FindingLines(findings)) {
        auto* mark = new QLabel(this);
        if (line.problem)
            mark->setPixmap(warning.pixmap(kIconSize, kIconSize));
        auto* topic = new QLabel(line.topic + QLatin1Char(':'), this);
        auto* text = new QLabel(line.text, this);
        text->setTextFormat(Qt::PlainText);  // a process name is no markup
        text->setWordWrap(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the commands are meant to be copied
        m_lines->addWidget(mark, row, 0, Qt::AlignTop);
        m_lines->addWidget(topic, row, 1, Qt::AlignTop);
        m_lines->addWidget(text, row, 2);
        ++row;
    }
}

void ShowPortDoctor(QWidget* parent, const QString& devicePath)
{
    // One doctor per window: a second failure shows the port it is about.
    if (parent != nullptr) {
        for (CPortDoctorDialog* earlier : parent->findChildren<CPortDoctorDialog*>(QLatin1String(kDialogName)))
            earlier->close();  // deletes itself
    }
    auto* dialog = new CPortDoctorDialog(devicePath, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->resize(dialog->sizeHint().expandedTo(QSize(560, 0)));
    dialog->show();
}

} // namespace orlan
