#include "widgets/RowDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "labels/CommonLabelKeys.h"
#include "widgets/CatalogueText.h"
#include "widgets/FormView.h"

namespace orlan {

CRowDialog::CRowDialog(SRowEditor editor, const QString& title, const CLabelCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), m_editor(std::move(editor))
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
    layout->addWidget(m_buttons);
    // Wide enough for a phone number or a message text without scrolling.
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

void CRowDialog::accept()
{
    m_form->CommitEdits();
    QDialog::accept();
}

} // namespace orlan
