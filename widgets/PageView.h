#pragma once
// What the main window needs of a page's view: the page it shows (none for
// the console terminal) and the page buttons it turns off while the page
// writes.
#include <QWidget>

namespace orlan {

class CPage;

class CPageView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    ~CPageView() override = default;
    virtual CPage* Page() const = 0;
    // The read and write buttons and the list (the original's controls
    // 3000-3002 and 4001).
    virtual void SetPageButtonsEnabled(bool enabled) = 0;
};

} // namespace orlan
