#include "widgets/RowDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "labels/CommonLabelKeys.h"
#include "widgets/CatalogueText.h"
#include "widgets/FormView.h"
#include "widgets/TableView.h"

namespace orlan {

CRowDialog::CRowDialog(SRowEditor editor, const QString& title, const CLabelCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_editor(std::move(editor))
{
    setObjectName(QString::fromStdString(m_editor.className));
    setWindowTitle(title);

    m_form = new CFormView(m_editor.fields, m_editor.section, catalogue, false, this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(CatalogueText(catalogue, kSectionButtons, kBtnOk));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(CatalogueText(catalogue, kSectionButtons, kBtnCancel));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CRowDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CRowDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    if (!m_form->HasVisibleFields())
        m_form->hide();
    // The editor's tables live in m_editor, which does not move any more.
    for (CPageTable& table : m_editor.tables) {
        auto* view = new CTableView(table, m_editor.section, catalogue, this);
        layout->addWidget(view);
        m_tables.push_back(view);
    }
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("rowError"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_error->hide();
    layout->addWidget(m_error);
    layout->addWidget(m_buttons);
    // Wide enough for a phone number or a message text without scrolling.
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

void CRowDialog::accept()
{
    m_form->CommitEdits();
    if (m_check) {
        const std::string key = m_check(m_editor.fields);
        if (!key.empty()) {
            m_error->setText(CatalogueText(m_catalogue, kSectionSysMsg, key));
            m_error->show();
            return;
        }
    }
    m_error->clear();
    m_error->hide();
    QDialog::accept();
}

QString CRowDialog::ErrorText() const
{
    return m_error->text();
}

} // namespace orlan
