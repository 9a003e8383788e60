#include "widgets/GenericPageView.h"

#include "widgets/UnreadPages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "session/TerminalSession.h"
#include "labels/CommonLabelKeys.h"
#include "pages/KnownValues.h"
#include "pages/Page.h"
#include "widgets/CatalogueText.h"
#include "widgets/FormView.h"
#include "widgets/RowDialog.h"
#include "widgets/TableView.h"
#include "widgets/WidgetStyle.h"

namespace orlan {

namespace {

// The table whose selected row an action works on, if any; an action with
// a row of its own needs no selection.
std::optional<size_t> ActionTable(const SPageAction& action)
{
    if (action.rowEditorTable && action.editorRow)
        return std::nullopt;
    return action.rowEditorTable ? action.rowEditorTable : action.needsRowOf;
}

// Asks for the form's current size: the plain scroll area remembers the
// size its widget had when it was set, and the form changes its shape when
// it moves to one or two columns.
class CFormScrollArea final : public QScrollArea {
public:
    // Beside a growing list, the form asks for all its height: the list
    // takes what is left, and both give way in a small window.
    CFormScrollArea(bool boundHeight, QWidget* parent) : QScrollArea(parent), m_boundHeight(boundHeight) {}
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        QSize hint(frame, frame);
        if (QWidget* form = widget()) {
            QSize content = form->sizeHint();
            // A form with a picture grows taller as it gets wider.
            if (form->hasHeightForWidth() && viewport()->width() > 0)
                content.setHeight(std::max(content.height(), form->heightForWidth(viewport()->width())));
            hint += content;
        }
        hint.rwidth() += verticalScrollBar()->sizeHint().width();
        // The same bound the plain scroll area sets.
        const int lineHeight = fontMetrics().height();
        return hint.boundedTo(QSize(36 * lineHeight, m_boundHeight ? 24 * lineHeight : hint.height()));
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        if (event->size().width() != event->oldSize().width())
            updateGeometry();
    }

private:
    bool m_boundHeight = true;
};

} // namespace

CGenericPageView::CGenericPageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                                   QWidget* parent)
    : CPageView(parent), m_page(page), m_session(session), m_catalogue(catalogue)
{
    const SPageInfo& info = page.Info();
    setObjectName(QString::fromStdString(info.className));
    page.LoadLabels(catalogue);

    auto* layout = new QVBoxLayout(this);
    const std::string_view headingSection = info.headingSection.empty() ? kSectionTabs : info.headingSection;
    const std::string& headingKey = info.headingKey.empty() ? info.navKey : info.headingKey;
    m_heading = CreatePageHeading(CatalogueText(catalogue, headingSection, headingKey), this);
    layout->addWidget(m_heading);
    layout->addSpacing(fontMetrics().height() / 2);

    m_form = new CFormView(page.Fields(), info.section, catalogue, true);
    connect(m_form, &CFormView::FieldEdited, this, &CGenericPageView::OnFieldEdited);
    m_form->SetMarksEdits(info.hasWriteBack);
    connect(m_form, &CFormView::EditsChanged, this, &CPageView::editsChanged);
    const bool hasTables = !page.Tables().empty();
    const bool anyGrowing = std::any_of(page.Tables().begin(), page.Tables().end(),
                                        [](const CPageTable& table) { return table.Desc().order != ERowOrder::Fixed; });
    // A form beside a growing list (the live states of the inputs and
    // outputs) sits left of it: both get the page's whole height instead of
    // sharing it, so the list never scrolls inside a scrolling page and the
    // form scrolls only in a short window.
    QVBoxLayout* column = layout;
    QHBoxLayout* beside = nullptr;
    if (m_form->HasVisibleFields() && anyGrowing) {
        beside = new QHBoxLayout;
        column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        beside->addLayout(column, 1);
        beside->addSpacing(fontMetrics().height());
        layout->addLayout(beside, 1);
    }
    if (m_form->HasVisibleFields()) {
        auto* scroll = new CFormScrollArea(!anyGrowing, this);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(m_form);
        connect(m_form, &CFormView::ArrangementChanged, scroll, [scroll] { scroll->updateGeometry(); });
        column->addWidget(scroll, hasTables && column == layout ? 0 : 1);
    } else {
        m_form->setParent(this);
        m_form->hide();
    }

    // A growing list takes the height the page has to spare.
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const STableDesc& tableDesc = page.Tables()[t].Desc();
        if (!tableDesc.captionKey.empty()) {
            auto* caption = new QLabel(CatalogueText(
                catalogue, tableDesc.captionSection.empty() ? info.section : tableDesc.captionSection,
                tableDesc.captionKey), this);
            caption->setObjectName(QString::fromStdString(tableDesc.id + "Caption"));
            QFont bold = caption->font();
            bold.setBold(true);
            caption->setFont(bold);
            layout->addWidget(caption);
        }
        auto* table = new CTableView(page.Tables()[t], info.section, catalogue, this);
        connect(table, &CTableView::RowActivated, this,
                [this, t](int row) { EditRow(t, static_cast<size_t>(row)); });
        connect(table, &CTableView::SelectedRowChanged, this, &CGenericPageView::UpdateActionButtons);
        // A list as wide as its columns stays on the left; a growing one
        // beside the form takes the column right of it.
        const bool growing = tableDesc.order != ERowOrder::Fixed;
        if (growing && beside != nullptr) {
            // As narrow as its columns, so the form can spread into two.
            if (table->FitsItsColumns())
                table->setMaximumWidth(table->sizeHint().width());
            beside->addWidget(table);
        } else {
            layout->addWidget(table, growing ? 1 : 0, table->FitsItsColumns() ? Qt::AlignLeft : Qt::Alignment());
        }
        m_tables.push_back(table);
    }
    if (hasTables && !anyGrowing)
        layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (size_t a = 0; a < page.Actions().size(); ++a)
        AddActionButton(a, *buttons);
    // The read button's caption is the tool's own, not the catalogue's.
    m_readButton = new QPushButton(tr("Reload"), this);
    m_readButton->setObjectName(QStringLiteral("readButton"));
    m_readButton->setToolTip(tr("Read this page from the terminal"));
    connect(m_readButton, &QPushButton::clicked, this, [this] { m_session.ReadPage(m_page); });
    buttons->addWidget(m_readButton);
    if (info.hasWriteBack) {
        m_writeButton = new QPushButton(CatalogueText(catalogue, kSectionButtons, kBtnSave), this);
        m_writeButton->setObjectName(QStringLiteral("writeButton"));
        m_writeButton->setToolTip(tr("Write this page to the terminal (Ctrl+S)"));
        connect(m_writeButton, &QPushButton::clicked, this, &CGenericPageView::AskAndWriteBack);
        buttons->addWidget(m_writeButton);
    }
    layout->addLayout(buttons);
    UpdateActionButtons();

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

void CGenericPageView::AddActionButton(size_t action, QLayout& buttons)
{
    const SPageAction& desc = m_page.Actions()[action];
    const std::string& section = desc.labelSection.empty() ? m_page.Info().section : desc.labelSection;
    auto* button = new QPushButton(CatalogueText(m_catalogue, section, desc.labelKey), this);
    button->setObjectName(QString::fromStdString(desc.id + "Button"));
    connect(button, &QPushButton::clicked, this, [this, action] { ActionClicked(action); });
    buttons.addWidget(button);
    m_actionButtons.push_back(button);
}

std::optional<size_t> CGenericPageView::SelectedRowOf(std::optional<size_t> table) const
{
    if (!table || *table >= m_tables.size())
        return std::nullopt;
    return m_tables[*table]->SelectedRow();
}

void CGenericPageView::UpdateActionButtons()
{
    for (size_t a = 0; a < m_actionButtons.size(); ++a) {
        const std::optional<size_t> table = ActionTable(m_page.Actions()[a]);
        m_actionButtons[a]->setEnabled(m_pageButtonsEnabled && (!table || SelectedRowOf(table)));
    }
}

void CGenericPageView::ActionClicked(size_t action)
{
    const SPageAction& desc = m_page.Actions()[action];
    const std::optional<size_t> table = ActionTable(desc);
    // The row is taken now: the question is asked about this row.
    const std::optional<size_t> row = desc.rowEditorTable && desc.editorRow ? desc.editorRow : SelectedRowOf(table);
    if (table && !row)
        return;
    if (desc.confirmKey.empty()) {
        RunAction(action, row);
        return;
    }
    const std::string_view section = desc.confirmSection.empty() ? kSectionSysMsg : desc.confirmSection;
    auto* box = new QMessageBox(QMessageBox::Question, m_heading->text(),
                                CatalogueText(m_catalogue, section, desc.confirmKey),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("actionQuestion"));
    box->button(QMessageBox::Yes)->setText(CatalogueText(m_catalogue, kSectionSysChar, kCharYes));
    box->button(QMessageBox::No)->setText(CatalogueText(m_catalogue, kSectionSysChar, kCharNo));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box, action, row] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            RunAction(action, row);
    });
    // Modal without a nested event loop.
    box->open();
}

void CGenericPageView::RunAction(size_t action, std::optional<size_t> row)
{
    // A job may have started while the question was open.
    if (!m_pageButtonsEnabled)
        return;
    const SPageAction& desc = m_page.Actions()[action];
    if (desc.rowEditorTable) {
        if (row)
            EditRow(*desc.rowEditorTable, *row);
        return;
    }
    m_form->CommitEdits();
    m_session.RunAction(m_page, desc.id, desc.needsRowOf ? row : std::nullopt);
}

void CGenericPageView::SetPageButtonsEnabled(bool enabled)
{
    m_pageButtonsEnabled = enabled;
    m_readButton->setEnabled(enabled);
    if (m_writeButton)
        m_writeButton->setEnabled(enabled);
    for (CTableView* table : m_tables)
        table->setEnabled(enabled);
    UpdateActionButtons();
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
    UpdateActionButtons();
}

void CGenericPageView::OnFieldEdited(const QString& id)
{
    const std::string fieldId = id.toStdString();
    if (m_page.Fields().Desc(m_page.Fields().IndexOf(fieldId)).sendsOnChange)
        m_session.FieldEdited(m_page, fieldId);
}

bool CGenericPageView::WritePage(bool askIfUnread)
{
    if (m_writeButton == nullptr || !m_writeButton->isEnabled())
        return false;
    if (askIfUnread)
        AskAndWriteBack();
    else
        WriteBack();
    return true;
}

bool CGenericPageView::HasEdits() const
{
    return m_form->AnyMarkedEdited();
}

bool CGenericPageView::FocusField(std::string_view fieldId)
{
    QWidget* widget = m_form->FieldWidget(fieldId);
    if (widget == nullptr || !widget->isVisibleTo(this))
        return false;
    // Every scroll area around the field brings it into view, the page's
    // own and the window's.
    for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(up))
            scroll->ensureWidgetVisible(widget);
    }
    widget->setFocus(Qt::OtherFocusReason);
    return true;
}

void CGenericPageView::AskAndWriteBack()
{
    m_form->CommitEdits();
    if (PageWasRead(m_page, m_session)) {
        WriteBack();
        return;
    }
    AskBeforeWritingUnread(*this, {m_heading->text()}, [this] { WriteBack(); });
}

void CGenericPageView::WriteBack()
{
    m_form->CommitEdits();
    m_session.WriteBack(m_page);
}

QString CGenericPageView::RowDialogTitle(size_t table, size_t row) const
{
    // The row as its list labels it ("CS3", "No.3", "03").
    const QString rowLabel = table < m_page.Tables().size()
                                 ? QString::fromStdString(m_page.Tables()[table].RowLabel(row, m_catalogue))
                                 : QString::number(row);
    if (m_heading->text().isEmpty())
        return rowLabel;
    return m_heading->text() + QStringLiteral(" \u2013 ") + rowLabel;
}

void CGenericPageView::EditRow(size_t table, size_t row)
{
    std::optional<SRowEditor> editor = OpenRowEditor(m_page, table, row);
    if (!editor)
        return;
    // An editor may name its dialog itself ("2# Sensor").
    const QString title = editor->title.empty() && editor->titleKey.empty()
                              ? RowDialogTitle(table, row)
                              : QString::fromStdString(editor->title) +
                                    CatalogueText(m_catalogue, editor->section, editor->titleKey);
    auto* dialog = new CRowDialog(std::move(*editor), title, m_catalogue, this);
    dialog->SetCheck([this, table, row](const CFieldSet& edited) { return m_page.RowEditError(table, row, edited); });
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, table, row] { m_session.CommitRow(m_page, table, row, dialog->Editor()); });
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    // Modal without a nested event loop.
    dialog->open();
}

} // namespace orlan
