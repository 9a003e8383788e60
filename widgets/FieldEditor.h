#pragma once
// The widgets of one described field: its label, its editor (line edit,
// text box, check box, list, spin box or picture by the field's kind) and
// the small caption with its explanation. Shows values without reporting
// them as edits, and tells whether the user has changed what it last showed.
// A read-only field (and a picture) is shown but never reports an edit.
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pages/FieldSet.h"

class QLabel;
class QWidget;

namespace orlan {

class CLabelCatalogue;

class CFieldEditor {
public:
    // How the field is placed: beside its label, or in a cell of a grid
    // whose row and column headers name it (no label, no caption).
    enum class EPlace { Labelled, GridCell };

    // Widgets are created as children of `parent`; `onEdited` runs when the
    // user changes the value (not when Show does).
    CFieldEditor(const SFieldDesc& desc, const std::string& section, const CLabelCatalogue& catalogue,
                 QWidget* parent, std::function<void()> onEdited, EPlace place = EPlace::Labelled);

    const SFieldDesc& Desc() const { return m_desc; }
    QWidget* Editor() const { return m_editor; }
    // The label beside the editor; null for a check box (its caption is its
    // own text) and for a field without label.
    QLabel* Label() const { return m_label; }
    // The explanation under the editor; null without one.
    QLabel* Caption() const { return m_caption; }
    // Takes more than one line of height.
    bool IsTall() const { return m_desc.kind == EFieldKind::MultiLine || m_desc.kind == EFieldKind::Image; }
    // Shown only: the user cannot change it.
    bool IsReadOnly() const { return m_desc.readOnly || m_desc.kind == EFieldKind::Image; }
    // Shows or hides the label, editor and caption together; true when
    // that changed anything.
    bool SetShown(bool shown);

    void Show(const SFieldValue& value);
    // A list whose items stand for the terminal's outputs shows the names
    // the unit gives them now.
    void ShowOutputNames();
    // False when the widget no longer shows `shown` (the user changed it).
    bool Shows(const SFieldValue& shown) const;
    // `base` with the part this kind edits replaced by the widget's value.
    SFieldValue Read(SFieldValue base) const;
    // A typed value that is not yet taken (a spin box's text) is taken now.
    void InterpretTypedText();
    // Marks a value changed since it was read and not yet written: bold,
    // and a marker before its label.
    void SetEdited(bool edited);
    bool IsMarkedEdited() const { return m_edited; }
    // Shows a value the terminal did not report as such: an empty text
    // says "not reported", a switch is neither on nor off, until a read or
    // the user gives it a value.
    void SetKnown(bool known);

    // Whether two values look the same in this kind of editor.
    static bool SameForKind(EFieldKind kind, const SFieldValue& a, const SFieldValue& b);

private:
    void MarkWrittenAtOnce();
    void CreateEditor(const std::string& section, const CLabelCatalogue& catalogue, QWidget* parent);
    void MakeReadOnly();
    void Edited();
    // What a one-line text takes ("Takes a whole number from 0 to 23");
    // empty for free text.
    QString ValueRule() const;
    void ShowValueRule();
    // Marks a typed value its rule refuses, at once.
    void MarkTypedValue();

    SFieldDesc m_desc;
    QWidget* m_editor = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_caption = nullptr;
    std::function<void()> m_onEdited;
    bool m_showing = false;
    bool m_edited = false;
    bool m_known = true;
    bool m_shownOn = false;  // a switch's value as last shown
    std::optional<QString> m_baseTip;  // the tip without the unknown note
    QString m_tipBeforeMark;           // the tip a wrong typed value replaced
    QString m_labelText;
    std::vector<QString> m_itemTexts;  // a list's items without output names
};

} // namespace orlan
