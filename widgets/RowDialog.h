#pragma once
// The generic row dialog: the fields of a page's row editor drawn by the
// generic form and its small tables by the generic list (marks toggle on
// click), with OK and Cancel. It edits its own copy of fields and tables;
// hidden fields keep the values the page gave them.
#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "pages/Page.h"

class QDialogButtonBox;
class QLabel;

namespace orlan {

class CFormView;
class CLabelCatalogue;
class CTableView;

class CRowDialog : public QDialog {
    Q_OBJECT
public:
    CRowDialog(SRowEditor editor, const QString& title, const CLabelCatalogue& catalogue, QWidget* parent = nullptr);

    // The edited fields; complete once the dialog was accepted.
    const CFieldSet& Fields() const { return m_editor.fields; }
    // The edited tables, in the editor's order; complete once accepted.
    const std::vector<CPageTable>& Tables() const { return m_editor.tables; }
    const std::vector<CTableView*>& TableViews() const { return m_tables; }
    const SRowEditor& Editor() const { return m_editor; }
    CFormView* Form() const { return m_form; }
    QDialogButtonBox* Buttons() const { return m_buttons; }

    // Asked on OK with the edited fields: a SYSMSG key refuses the edit, and
    // the dialog stays open showing that text; empty accepts.
    using RowCheck = std::function<std::string(const CFieldSet&)>;
    void SetCheck(RowCheck check) { m_check = std::move(check); }
    // The refusal shown, empty while there is none.
    QString ErrorText() const;

    void accept() override;

private:
    const CLabelCatalogue& m_catalogue;
    RowCheck m_check;
    QLabel* m_error = nullptr;
    SRowEditor m_editor;
    CFormView* m_form = nullptr;
    std::vector<CTableView*> m_tables;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace orlan
