#include "widgets/GenericPageView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "session/TerminalSession.h"
#include "labels/CommonLabelKeys.h"
#include "pages/Page.h"
#include "widgets/CatalogueText.h"
#include "widgets/FormView.h"
#include "widgets/RowDialog.h"
#include "widgets/TableView.h"
#include "widgets/WidgetStyle.h"

namespace orlan {

namespace {

// The read button's caption is not in the catalogue.
const QString kReadButtonText = QStringLiteral("Reload");

// Asks for the form's current size: the plain scroll area remembers the
// size its widget had when it was set, and the form changes its shape when
// it moves to one or two columns.
class CFormScrollArea final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        QSize hint(frame, frame);
        if (widget())
            hint += widget()->sizeHint();
        hint.rwidth() += verticalScrollBar()->sizeHint().width();
        // The same bound the plain scroll area sets.
        const int lineHeight = fontMetrics().height();
        return hint.boundedTo(QSize(36 * lineHeight, 24 * lineHeight));
    }
};

} // namespace

CGenericPageView::CGenericPageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                                   QWidget* parent)
    : CPageView(parent), m_page(page), m_session(session), m_catalogue(catalogue)
{
    const SPageInfo& info = page.Info();
    setObjectName(QString::fromStdString(info.className));

    auto* layout = new QVBoxLayout(this);
    const std::string_view headingSection = info.headingSection.empty() ? kSectionTabs : info.headingSection;
    const std::string& headingKey = info.headingKey.empty() ? info.navKey : info.headingKey;
    m_heading = CreatePageHeading(CatalogueText(catalogue, headingSection, headingKey), this);
    layout->addWidget(m_heading);
    layout->addSpacing(fontMetrics().height() / 2);

    m_form = new CFormView(page.Fields(), info.section, catalogue, true);
    connect(m_form, &CFormView::FieldEdited, this, &CGenericPageView::OnFieldEdited);
    const bool hasTables = !page.Tables().empty();
    if (m_form->HasVisibleFields()) {
        auto* scroll = new CFormScrollArea(this);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(m_form);
        connect(m_form, &CFormView::ArrangementChanged, scroll, [scroll] { scroll->updateGeometry(); });
        layout->addWidget(scroll, hasTables ? 0 : 1);
    } else {
        m_form->setParent(this);
        m_form->hide();
    }

    for (size_t t = 0; t < page.Tables().size(); ++t) {
        auto* table = new CTableView(page.Tables()[t], info.section, catalogue, this);
        connect(table, &CTableView::RowActivated, this,
                [this, t](int row) { EditRow(t, static_cast<size_t>(row)); });
        layout->addWidget(table);
        m_tables.push_back(table);
    }
    if (hasTables)
        layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_readButton = new QPushButton(kReadButtonText, this);
    m_readButton->setObjectName(QStringLiteral("readButton"));
    connect(m_readButton, &QPushButton::clicked, this, [this] { m_session.ReadPage(m_page); });
    buttons->addWidget(m_readButton);
    if (info.hasWriteBack) {
        m_writeButton = new QPushButton(CatalogueText(catalogue, kSectionButtons, kBtnSave), this);
        m_writeButton->setObjectName(QStringLiteral("writeButton"));
        connect(m_writeButton, &QPushButton::clicked, this, &CGenericPageView::WriteBack);
        buttons->addWidget(m_writeButton);
    }
    layout->addLayout(buttons);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(kRefreshIntervalMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &CGenericPageView::Refresh);
    // The page may outlive its view; the observer cannot be removed.
    page.AddObserver([view = QPointer<CGenericPageView>(this)] {
        if (view)
            view->ScheduleRefresh();
    });
}

void CGenericPageView::SetPageButtonsEnabled(bool enabled)
{
    m_readButton->setEnabled(enabled);
    if (m_writeButton)
        m_writeButton->setEnabled(enabled);
    for (CTableView* table : m_tables)
        table->setEnabled(enabled);
}

void CGenericPageView::ScheduleRefresh()
{
    // Not restarted by later changes: a steady stream still shows every interval.
    if (!m_refreshTimer->isActive())
        m_refreshTimer->start();
}

void CGenericPageView::Refresh()
{
    m_refreshTimer->stop();
    m_form->Refresh();
    for (CTableView* table : m_tables)
        table->Refresh();
}

void CGenericPageView::OnFieldEdited(const QString& id)
{
    const std::string fieldId = id.toStdString();
    if (m_page.Fields().Desc(m_page.Fields().IndexOf(fieldId)).sendsOnChange)
        m_session.FieldEdited(m_page, fieldId);
}

void CGenericPageView::WriteBack()
{
    m_form->CommitEdits();
    m_session.WriteBack(m_page);
}

QString CGenericPageView::RowDialogTitle(size_t row) const
{
    const QString rowLabel = RowLabel(m_catalogue, row);
    if (m_heading->text().isEmpty())
        return rowLabel;
    return m_heading->text() + QStringLiteral(" \u2013 ") + rowLabel;
}

void CGenericPageView::EditRow(size_t table, size_t row)
{
    std::optional<SRowEditor> editor = m_page.RowEditor(table, row);
    if (!editor)
        return;
    auto* dialog = new CRowDialog(std::move(*editor), RowDialogTitle(row), m_catalogue, this);
    dialog->SetCheck([this, table, row](const CFieldSet& edited) { return m_page.RowEditError(table, row, edited); });
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, table, row] { m_session.CommitRow(m_page, table, row, dialog->Fields()); });
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    // Modal without a nested event loop.
    dialog->open();
}

} // namespace orlan
