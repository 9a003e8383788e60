#pragma once
// The view that draws any page from its description: heading, generic form,
// one generic table per page table with the row dialog on double click, the
// page's own action buttons and the read and write buttons. It refreshes
// from the page's fields when the page reports a change, at most once per
// refresh interval.
#include <QString>

#include <optional>
#include <vector>

#include "widgets/PageView.h"

class QLabel;
class QLayout;
class QPushButton;
class QTimer;

namespace orlan {

class CFormView;
class CLabelCatalogue;
class CPage;
class CTableView;
class CTerminalSession;
struct SPageAction;

class CGenericPageView : public CPageView {
    Q_OBJECT
public:
    // A whole read changes a page hundreds of times a second; the widgets
    // follow at most this often.
    static constexpr int kRefreshIntervalMs = 100;

    CGenericPageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                     QWidget* parent = nullptr);

    CPage* Page() const override { return &m_page; }
    void SetPageButtonsEnabled(bool enabled) override;
    bool WritePage(bool askIfUnread = false) override;
    bool FocusField(std::string_view fieldId) override;
    bool HasEdits() const override;

    // Shows the page's values now (the coalesced refresh calls it).
    void Refresh();
    // Opens the row dialog of a table's row; nothing for a row without editor.
    void EditRow(size_t table, size_t row);

    CFormView* Form() const { return m_form; }
    const std::vector<CTableView*>& TableViews() const { return m_tables; }
    QPushButton* ReadButton() const { return m_readButton; }
    // Null when the page has no write-back.
    QPushButton* WriteButton() const { return m_writeButton; }
    // One button per page action, in the page's order.
    const std::vector<QPushButton*>& ActionButtons() const { return m_actionButtons; }

private:
    void AddActionButton(size_t action, QLayout& buttons);
    void ActionClicked(size_t action);
    // Runs an action for the row that was selected when it was clicked.
    void RunAction(size_t action, std::optional<size_t> row);
    // The selected row of a page table; nothing for a table the page lacks.
    std::optional<size_t> SelectedRowOf(std::optional<size_t> table) const;
    // Action buttons are on with the page buttons and while the row they
    // need is selected.
    void UpdateActionButtons();
    void ScheduleRefresh();
    void OnFieldEdited(const QString& id);
    void WriteBack();
    // The Save button: asks first when the page was never read.
    void AskAndWriteBack();
    QString RowDialogTitle(size_t table, size_t row) const;

    CPage& m_page;
    CTerminalSession& m_session;
    const CLabelCatalogue& m_catalogue;
    QLabel* m_heading = nullptr;
    CFormView* m_form = nullptr;
    std::vector<CTableView*> m_tables;
    QPushButton* m_readButton = nullptr;
    QPushButton* m_writeButton = nullptr;
    std::vector<QPushButton*> m_actionButtons;
    bool m_pageButtonsEnabled = true;
    QTimer* m_refreshTimer = nullptr;
};

} // namespace orlan
