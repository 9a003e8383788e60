#pragma once
// The Language menu: the system's language or one of the shipped catalogues,
// remembered in the preferences. Every text is read when the window is
// built, so a new choice takes effect at the next start; the menu says so.
// A language the system has no font for is marked, and can still be chosen.
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

class QActionGroup;

namespace orlan {

class CLanguageMenu final : public QMenu {
    Q_OBJECT
public:
    explicit CLanguageMenu(QWidget* parent);

    // The notice of the last change, while it is open (tests).
    QMessageBox* Notice() const { return m_notice; }

private:
    void Choose(const QString& language);

    QActionGroup* m_group = nullptr;
    QPointer<QMessageBox> m_notice;
};

// The menu for the main window's menu bar: menuBar()->addMenu(CreateLanguageMenu(this)).
QMenu* CreateLanguageMenu(QWidget* window);

} // namespace orlan
