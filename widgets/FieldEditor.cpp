#include "widgets/FieldEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "labels/LabelCatalogue.h"
#include "widgets/CatalogueText.h"
#include "widgets/OutputNames.h"
#include "widgets/LineBreaks.h"
#include "widgets/PictureView.h"
#include "widgets/WidgetStyle.h"

namespace orlan {

namespace {

// Lines a multi-line text box shows before it scrolls.
constexpr int kTextBoxLines = 4;
constexpr double kCaptionScale = 0.9;

// A spin field's text as a number; blanks around it are allowed, anything
// else makes it no number.
std::optional<int> SpinNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// The number a spin box shows for a field text, kept in range; none for a
// text that is no number (an empty field after a Clear).
std::optional<int> SpinShown(const SFieldDesc& desc, const std::string& text)
{
    const std::optional<int> number = SpinNumber(text);
    if (!number)
        return std::nullopt;
    return std::clamp(*number, desc.minimum, std::max(desc.minimum, desc.maximum));
}

// A spin box's value as field text: empty for its blank step.
std::string SpinText(const QSpinBox& spin)
{
    const bool blank = !spin.specialValueText().isEmpty() && spin.value() == spin.minimum();
    return blank ? std::string() : std::to_string(spin.value());
}

// A code the terminal reported beyond the list's items is shown as one
// more item after them, holding the code, so it is written back unchanged
// unless the user picks another.
int ChoiceIndex(const QComboBox& box, int number)
{
    const int extra = box.findData(number);
    if (number >= 0 && extra >= 0)
        return extra;
    return number >= 0 && number < box.count() && !box.itemData(number).isValid() ? number : -1;
}

void ShowOutsideList(QComboBox& box, int items, int number)
{
    while (box.count() > items)
        box.removeItem(box.count() - 1);
    if (number >= items)
        box.addItem(QObject::tr("%1 - not in the list").arg(number), number);
}

} // namespace

CFieldEditor::CFieldEditor(const SFieldDesc& desc, const std::string& section, const CLabelCatalogue& catalogue,
                           QWidget* parent, std::function<void()> onEdited, EPlace place)
    : m_desc(desc), m_onEdited(std::move(onEdited))
{
    CreateEditor(section, catalogue, parent);
    m_editor->setObjectName(QString::fromStdString(m_desc.id));
    if (IsReadOnly())
        MakeReadOnly();

    const QString labelText = FieldCaption(catalogue, section, m_desc);
    m_labelText = labelText;
    if (place == EPlace::GridCell) {
        // The grid's headers name the cell; the label still names the editor
        // for screen readers and as its tip.
        m_editor->setAccessibleName(labelText);
        m_editor->setToolTip(labelText);
    } else if (auto* check = qobject_cast<QCheckBox*>(m_editor)) {
        check->setText(labelText);
    } else if (!labelText.isEmpty()) {
        m_label = new QLabel(labelText, parent);
        m_label->setObjectName(QString::fromStdString(m_desc.id + "Label"));
        m_label->setBuddy(m_editor);
    }

    if (!m_desc.hintKey.empty()) {
        const QString hint = CatalogueText(catalogue, section, m_desc.hintKey);
        if (!hint.isEmpty() && place == EPlace::GridCell) {
            m_editor->setToolTip(hint);
        } else if (!hint.isEmpty()) {
            m_caption = new QLabel(hint, parent);
            m_caption->setObjectName(QString::fromStdString(m_desc.id + "Hint"));
            m_caption->setWordWrap(true);
            m_caption->setForegroundRole(QPalette::PlaceholderText);
            m_caption->setFont(ScaledFont(m_caption->font(), kCaptionScale));
            m_editor->setToolTip(hint);
            if (m_label)
                m_label->setToolTip(hint);
        }
    }
    if (const QString rule = ValueRule(); !rule.isEmpty() && !IsReadOnly()) {
        const QString tip = m_editor->toolTip();
        m_editor->setToolTip(tip.isEmpty() ? rule : tip + u'\n' + rule);
    }
    if (m_desc.sendsOnChange && !IsReadOnly())
        MarkWrittenAtOnce();
}

void CFieldEditor::MarkWrittenAtOnce()
{
    // Unlike the rest of the page, this one needs no Save: say so where the
    // person looks before changing it.
    const QString atOnce = QObject::tr("Written to the terminal at once");
    const QString suffix = QStringLiteral(" \u2192 ") + QObject::tr("at once");
    const QString tip = m_editor->toolTip();
    m_editor->setToolTip(tip.isEmpty() ? atOnce : tip + u'\n' + atOnce);
    if (auto* check = qobject_cast<QCheckBox*>(m_editor); check != nullptr && m_label == nullptr)
        check->setText(check->text() + suffix);
    if (m_label != nullptr) {
        m_labelText += suffix;
        m_label->setText(m_labelText);
        m_label->setToolTip(atOnce);
    }
}

void CFieldEditor::CreateEditor(const std::string& section, const CLabelCatalogue& catalogue, QWidget* parent)
{
    switch (m_desc.kind) {
    case EFieldKind::Text: {
        auto* edit = new QLineEdit(parent);
        if (m_desc.masked)
            edit->setEchoMode(QLineEdit::Password);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this] {
            MarkTypedValue();
            Edited();
        });
        m_editor = edit;
        ShowValueRule();
        break;
    }
    case EFieldKind::MultiLine: {
        auto* box = new QPlainTextEdit(parent);
        box->setTabChangesFocus(true);
        SetVisibleLines(box, kTextBoxLines);
        QObject::connect(box, &QPlainTextEdit::textChanged, box, [this] { Edited(); });
        m_editor = box;
        break;
    }
    case EFieldKind::Check: {
        auto* check = new QCheckBox(parent);
        // The state, not the toggle: a click on "neither" toggles while the
        // box still says "neither".
        QObject::connect(check, &QCheckBox::stateChanged, check, [this] { Edited(); });
        m_editor = check;
        break;
    }
    case EFieldKind::Choice: {
        auto* box = new QComboBox(parent);
        for (const SChoiceItem& item : m_desc.items) {
            m_itemTexts.push_back(ChoiceItemText(catalogue, item));
            box->addItem(WithOutputName(m_itemTexts.back(), item.output));
        }
        // Says so where nothing is selected, which a blank list hides.
        if (!m_desc.noSelectionKey.empty())
            box->setPlaceholderText(CatalogueText(catalogue, section, m_desc.noSelectionKey));
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [this] { Edited(); });
        m_editor = box;
        break;
    }
    case EFieldKind::Spin: {
        auto* spin = new QSpinBox(parent);
        // One step below the range stands for an empty field, shown blank:
        // the terminal did not report it, or the user stepped below the range.
        const int maximum = std::max(m_desc.minimum, m_desc.maximum);
        if (m_desc.minimum > std::numeric_limits<int>::min()) {
            spin->setRange(m_desc.minimum - 1, maximum);
            spin->setSpecialValueText(QStringLiteral(" "));
        } else {
            spin->setRange(m_desc.minimum, maximum);
        }
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [this] { Edited(); });
        m_editor = spin;
        break;
    }
    case EFieldKind::Image:
        m_editor = new CPictureView(parent);
        break;
    }
}

void CFieldEditor::MakeReadOnly()
{
    // Texts stay selectable for copying; switches and lists cannot be
    // read-only and are turned off instead.
    if (auto* edit = qobject_cast<QLineEdit*>(m_editor)) {
        edit->setReadOnly(true);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(m_editor)) {
        box->setReadOnly(true);
    } else if (auto* spin = qobject_cast<QSpinBox*>(m_editor)) {
        spin->setReadOnly(true);
        spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    } else if (qobject_cast<QCheckBox*>(m_editor) || qobject_cast<QComboBox*>(m_editor)) {
        m_editor->setEnabled(false);
    }
}

bool CFieldEditor::SetShown(bool shown)
{
    bool changed = false;
    for (QWidget* widget : {static_cast<QWidget*>(m_label), m_editor, static_cast<QWidget*>(m_caption)}) {
        if (widget && widget->isHidden() == shown) {
            widget->setVisible(shown);
            changed = true;
        }
    }
    return changed;
}

QString CFieldEditor::ValueRule() const
{
    if (m_desc.kind != EFieldKind::Text)
        return {};
    switch (m_desc.value) {
    case EValueType::Whole:
        return QObject::tr("Expects a whole number from %1 to %2").arg(m_desc.minimum).arg(m_desc.maximum);
    case EValueType::Decimal:
        return QObject::tr("Expects a decimal number such as -12.5");
    case EValueType::Text:
        return m_desc.digitsOnly ? QObject::tr("Expects digits only") : QString();
    }
    return {};
}

void CFieldEditor::ShowValueRule()
{
    if (ValueRule().isEmpty() || IsReadOnly())
        return;
    auto* line = static_cast<QLineEdit*>(m_editor);
    // The range where a value would stand; the tip says it in words.
    if (m_desc.value == EValueType::Whole)
        line->setPlaceholderText(QStringLiteral("%1 – %2").arg(m_desc.minimum).arg(m_desc.maximum));
}

void CFieldEditor::MarkTypedValue()
{
    const QString rule = ValueRule();
    if (rule.isEmpty())
        return;
    auto* line = static_cast<QLineEdit*>(m_editor);
    const bool wrong = !ValueError(m_desc, line->text().toStdString()).empty();
    if (wrong == line->property("valueWrong").toBool())
        return;
    // Marked as typed, before any Save: Save would refuse it and name it.
    // The tip it had comes back with a value the rule takes.
    if (wrong)
        m_tipBeforeMark = line->toolTip();
    line->setProperty("valueWrong", wrong);
    line->setStyleSheet(wrong ? QStringLiteral("QLineEdit { border: 2px solid #c62828; }") : QString());
    line->setToolTip(wrong ? QObject::tr("This value is not taken: %1").arg(rule) : m_tipBeforeMark);
}

void CFieldEditor::Edited()
{
    if (!m_showing && !IsReadOnly() && m_onEdited)
        m_onEdited();
}

void CFieldEditor::ShowOutputNames()
{
    auto* box = qobject_cast<QComboBox*>(m_editor);
    if (box == nullptr)
        return;
    for (size_t i = 0; i < m_desc.items.size() && i < m_itemTexts.size(); ++i) {
        if (m_desc.items[i].output < 0)
            continue;
        const int index = static_cast<int>(i);
        const QString text = WithOutputName(m_itemTexts[i], m_desc.items[i].output);
        if (box->itemText(index) != text)
            box->setItemText(index, text);
    }
}

void CFieldEditor::Show(const SFieldValue& value)
{
    m_showing = true;
    switch (m_desc.kind) {
    case EFieldKind::Text: {
        auto* line = static_cast<QLineEdit*>(m_editor);
        line->setText(QString::fromStdString(value.text));
        if (line->property("valueWrong").toBool()) {
            line->setProperty("valueWrong", false);
            line->setStyleSheet(QString());
            line->setToolTip(m_tipBeforeMark);
        }
        break;
    }
    case EFieldKind::MultiLine:
        static_cast<QPlainTextEdit*>(m_editor)->setPlainText(QString::fromStdString(ToNewlines(value.text)));
        break;
    case EFieldKind::Check:
        m_shownOn = value.number != 0;
        static_cast<QCheckBox*>(m_editor)->setCheckState(m_shownOn ? Qt::Checked : Qt::Unchecked);
        if (!m_known)
            static_cast<QCheckBox*>(m_editor)->setCheckState(Qt::PartiallyChecked);
        break;
    case EFieldKind::Choice: {
        auto* box = static_cast<QComboBox*>(m_editor);
        ShowOutsideList(*box, static_cast<int>(m_desc.items.size()), value.number);
        box->setCurrentIndex(ChoiceIndex(*box, value.number));
        break;
    }
    case EFieldKind::Spin: {
        auto* spin = static_cast<QSpinBox*>(m_editor);
        spin->setValue(SpinShown(m_desc, value.text).value_or(spin->minimum()));
        break;
    }
    case EFieldKind::Image:
        static_cast<CPictureView*>(m_editor)->SetBytes(value.text);
        break;
    }
    m_showing = false;
}

bool CFieldEditor::Shows(const SFieldValue& shown) const
{
    switch (m_desc.kind) {
    case EFieldKind::Text:
        return static_cast<const QLineEdit*>(m_editor)->text() == QString::fromStdString(shown.text);
    case EFieldKind::MultiLine:
        return static_cast<const QPlainTextEdit*>(m_editor)->toPlainText() ==
               QString::fromStdString(ToNewlines(shown.text));
    case EFieldKind::Check: {
        // "Neither" shows an unknown value whatever it holds.
        const auto* check = static_cast<const QCheckBox*>(m_editor);
        return check->checkState() == Qt::PartiallyChecked || check->isChecked() == (shown.number != 0);
    }
    case EFieldKind::Choice: {
        const auto* box = static_cast<const QComboBox*>(m_editor);
        return box->currentIndex() == ChoiceIndex(*box, shown.number);
    }
    case EFieldKind::Spin: {
        const std::optional<int> number = SpinShown(m_desc, shown.text);
        return SpinText(*static_cast<const QSpinBox*>(m_editor)) == (number ? std::to_string(*number) : std::string());
    }
    case EFieldKind::Image:
        return static_cast<const CPictureView*>(m_editor)->Bytes() == shown.text;
    }
    return true;
}

SFieldValue CFieldEditor::Read(SFieldValue base) const
{
    switch (m_desc.kind) {
    case EFieldKind::Text:
        base.text = static_cast<const QLineEdit*>(m_editor)->text().toStdString();
        break;
    case EFieldKind::MultiLine:
        base.text = ToCrLf(static_cast<const QPlainTextEdit*>(m_editor)->toPlainText().toStdString());
        break;
    case EFieldKind::Check:
        base.number = static_cast<const QCheckBox*>(m_editor)->isChecked() ? 1 : 0;
        break;
    case EFieldKind::Choice: {
        const auto* box = static_cast<const QComboBox*>(m_editor);
        const QVariant code = box->currentData();
        base.number = code.isValid() ? code.toInt() : box->currentIndex();
        break;
    }
    case EFieldKind::Spin:
        base.text = SpinText(*static_cast<const QSpinBox*>(m_editor));
        break;
    case EFieldKind::Image:
        break;  // a picture is never edited
    }
    return base;
}

void CFieldEditor::InterpretTypedText()
{
    if (auto* spin = qobject_cast<QSpinBox*>(m_editor))
        spin->interpretText();
}

bool CFieldEditor::SameForKind(EFieldKind kind, const SFieldValue& a, const SFieldValue& b)
{
    switch (kind) {
    case EFieldKind::Check:
    case EFieldKind::Choice:
        return a.number == b.number;
    case EFieldKind::Text:
    case EFieldKind::MultiLine:
    case EFieldKind::Spin:
    case EFieldKind::Image:
        return a.text == b.text;
    }
    return false;
}

void CFieldEditor::SetKnown(bool known)
{
    if (known == m_known || IsReadOnly())
        return;
    m_known = known;
    m_showing = true;
    const QString unknown = known ? QString() : QObject::tr("not reported");
    if (auto* line = qobject_cast<QLineEdit*>(m_editor))
        line->setPlaceholderText(unknown);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(m_editor))
        text->setPlaceholderText(unknown);
    else if (auto* box = qobject_cast<QComboBox*>(m_editor); box && m_desc.noSelectionKey.empty())
        box->setPlaceholderText(unknown);
    else if (auto* check = qobject_cast<QCheckBox*>(m_editor)) {
        // A click makes it on, and known; it never returns to "neither".
        // Known by a click, it keeps what the click made; by a read, it shows it.
        const Qt::CheckState now = check->checkState();
        check->setTristate(!known);
        if (!known)
            check->setCheckState(Qt::PartiallyChecked);
        else if (now == Qt::PartiallyChecked)
            check->setCheckState(m_shownOn ? Qt::Checked : Qt::Unchecked);
    }
    if (!m_baseTip)
        m_baseTip = m_editor->toolTip();
    const QString note = QObject::tr("The terminal did not report this setting: it is not written unless you set it");
    m_editor->setToolTip(known ? *m_baseTip : m_baseTip->isEmpty() ? note : *m_baseTip + u'\n' + note);
    m_showing = false;
}

void CFieldEditor::SetEdited(bool edited)
{
    if (edited == m_edited)
        return;
    m_edited = edited;
    QFont font = m_editor->font();
    font.setBold(edited);
    m_editor->setFont(font);
    m_editor->setProperty("edited", edited);
    if (m_label) {
        m_label->setText(edited ? QStringLiteral("\u25CF ") + m_labelText : m_labelText);
        QFont labelFont = m_label->font();
        labelFont.setBold(edited);
        m_label->setFont(labelFont);
    }
    const QString note = QObject::tr("Changed here, not yet written to the terminal");
    m_editor->setStatusTip(edited ? note : QString());
}

} // namespace orlan
