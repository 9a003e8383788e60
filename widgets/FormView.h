#pragma once
// The generic form: one editor per visible field of a field set, labelled
// from the page's catalogue section, laid out in one column or, when wide
// enough, in two. The fields of a group stay together in a captioned box,
// one field a line or as a grid of editors under row and column headers, and
// a group never splits across the two columns. Fields shown only while
// another field holds certain numbers switch as that field changes. Edits go
// into the field set as the user makes them; Refresh shows what changed in
// the field set since it was last shown.
#include <QWidget>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"
#include "widgets/FieldEditor.h"

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QVBoxLayout;

namespace orlan {

class CLabelCatalogue;

class CFormView : public QWidget {
    Q_OBJECT
public:
    // Hidden fields get no widgets; their values stay as they are.
    CFormView(CFieldSet& fields, const std::string& section, const CLabelCatalogue& catalogue, bool mayUseTwoColumns,
              QWidget* parent = nullptr);
    ~CFormView() override;

    // Shows every field whose value differs from what its widget last
    // showed or took from the user. A widget whose value did not change is
    // left alone, so the one being typed in keeps its cursor and undo
    // history; a field the page changed under the user (a Clear or a dump
    // line of a read) shows the page's value, and so does a read-only field
    // always. Fields shown on a condition follow the page's values.
    void Refresh();
    // Takes what the widgets hold that is not yet in the fields (a spin
    // box's typed text).
    void CommitEdits();

    // The editor of a field that has widgets (shown now or on a condition);
    // null for a hidden or unknown id.
    QWidget* FieldWidget(std::string_view id) const;
    // The box of a group with widgets; null for an unknown group or one
    // whose fields are all hidden.
    QGroupBox* GroupBox(std::string_view id) const;
    bool HasVisibleFields() const { return !m_entries.empty(); }
    // Whether the field's editor is marked as changed and not yet written.
    bool IsMarkedEdited(std::string_view id) const;
    bool AnyMarkedEdited() const { return m_anyEdited; }
    // Only a form whose page writes back holds changes to write; a field
    // that is sent as it changes never does.
    void SetMarksEdits(bool marks) { m_marksEdits = marks; }
    bool UsesTwoColumns() const { return m_twoColumns; }

Q_SIGNALS:
    // The user changed a field; its new value is already in the field set.
    void FieldEdited(const QString& id);
    // Whether any field holds a change not yet written, when that changes.
    void EditsChanged(bool anyEdited);
    // The fields moved to one or two columns, or fields were shown or
    // hidden: the form's size hint changed.
    void ArrangementChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct SEntry {
        size_t fieldIndex = 0;
        std::unique_ptr<CFieldEditor> editor;
        SFieldValue shown;  // what the widget shows, as a field value
    };
    // What the columns are cut from: one field without group, or a group's
    // box with its fields.
    struct SBlock {
        std::vector<size_t> entries;
        QGroupBox* box = nullptr;
        std::string groupId;
        int weight = 0;  // its height in lines, for balancing the columns
    };

    void CreateBlocks(const std::string& section, const CLabelCatalogue& catalogue);
    void FillGroupBox(SBlock& block, const SFieldGroup& group, const std::string& section,
                      const CLabelCatalogue& catalogue);
    void FillGrid(QGridLayout& grid, const SBlock& block, const SFieldGroup& group, const std::string& section,
                  const CLabelCatalogue& catalogue);
    void TakeEdit(SEntry& entry);
    // Marks the fields a person changed since the page last set them.
    void UpdateEditMarks();
    // Shows the fields whose condition holds and the boxes with any of them.
    void UpdateShown();
    void Arrange(bool twoColumns);
    // A column of labels, editors and group boxes for blocks [first, last).
    QBoxLayout* CreateColumn(size_t first, size_t last);
    int TwoColumnWidth() const;

    CFieldSet& m_fields;
    std::vector<SEntry> m_entries;
    std::vector<SBlock> m_blocks;
    QVBoxLayout* m_outer = nullptr;
    QBoxLayout* m_columns = nullptr;
    bool m_mayUseTwoColumns = false;
    bool m_twoColumns = false;
    bool m_anyEdited = false;
    bool m_marksEdits = true;
};

} // namespace orlan
