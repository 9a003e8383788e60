#pragma once
// What the main window needs of a page's view: the page it shows (none for
// the console terminal, which edits no settings), the page buttons it turns
// off while the page writes, and the session events every view may follow.
#include <QWidget>

#include <string_view>

namespace orlan {

class CPage;

class CPageView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    ~CPageView() override = default;
    virtual CPage* Page() const = 0;
    // The read and write buttons, the page's own buttons and the list (the
    // original's controls 3000-3002 and 4001).
    virtual void SetPageButtonsEnabled(bool enabled) = 0;

    // Every text chunk the terminal sent, as received.
    virtual void OnRawText(std::string_view /*chunk*/) {}
    // RESTART was pressed.
    virtual void OnRestart() {}
    // The window closes: keep what the user chose.
    virtual void StoreChoices() {}
    // Writes the page back as its write button does, when it has one that is
    // on; `askIfUnread` (the "save page" key): asks first, as the button does,
    // when the page was never read. False when nothing started.
    virtual bool WritePage(bool /*askIfUnread*/ = false) { return false; }
    // Shows the field and puts the cursor in it (a search found it); false
    // when the view has no widget for it.
    virtual bool FocusField(std::string_view /*fieldId*/) { return false; }
    // Whether the page holds changes a person made that are not written yet.
    virtual bool HasEdits() const { return false; }

Q_SIGNALS:
    // The page's unwritten changes came or went.
    void editsChanged(bool hasEdits);
};

} // namespace orlan
