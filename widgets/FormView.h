#pragma once
// The generic form: one editor per visible field of a field set, labelled
// from the page's catalogue section, laid out in one column or, when wide
// enough, in two. Edits go into the field set as the user makes them;
// Refresh shows what changed in the field set since it was last shown.
#include <QWidget>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"
#include "widgets/FieldEditor.h"

class QBoxLayout;
class QGridLayout;
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
    // line of a read) shows the page's value.
    void Refresh();
    // Takes what the widgets hold that is not yet in the fields (a spin
    // box's typed text).
    void CommitEdits();

    // The editor of a visible field; null for a hidden or unknown id.
    QWidget* FieldWidget(std::string_view id) const;
    bool HasVisibleFields() const { return !m_entries.empty(); }
    bool UsesTwoColumns() const { return m_twoColumns; }

Q_SIGNALS:
    // The user changed a field; its new value is already in the field set.
    void FieldEdited(const QString& id);
    // The fields moved to one or two columns; the form's size hint changed.
    void ArrangementChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct SEntry {
        size_t fieldIndex = 0;
        std::unique_ptr<CFieldEditor> editor;
        SFieldValue shown;  // what the widget shows, as a field value
    };

    void TakeEdit(SEntry& entry);
    void Arrange(bool twoColumns);
    // A column of labels and editors for entries [first, last).
    QBoxLayout* CreateColumn(size_t first, size_t last);
    int TwoColumnWidth() const;

    CFieldSet& m_fields;
    std::vector<SEntry> m_entries;
    QVBoxLayout* m_outer = nullptr;
    QBoxLayout* m_columns = nullptr;
    bool m_mayUseTwoColumns = false;
    bool m_twoColumns = false;
};

} // namespace orlan
