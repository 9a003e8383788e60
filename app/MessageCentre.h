#pragma once
// The window's message boxes: one box per kind at a time, Yes/No questions,
// file failures, and what the session says, in the user's language. Every
// box opens without a nested event loop, so the receive path keeps running
// behind it.
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <string_view>

namespace orlan {

class CLabelCatalogue;

class CMessageCentre final : public QObject {
    Q_OBJECT
public:
    CMessageCentre(QWidget& window, const CLabelCatalogue& catalogue);

    // Where the full reason of a file failure goes (the status line).
    std::function<void(const QString&)> showStatus;

    // While a box of the kind is open it takes the new text instead of
    // another box opening, so a unit repeating a refusal cannot stack boxes
    // without end.
    QMessageBox* Open(const QString& kind, QMessageBox::Icon icon, const QString& text);
    QMessageBox* Open(QMessageBox::Icon icon, const QString& text) { return Open(text, icon, text); }
    // A Yes/No question (buttons named from the catalogue, No the default);
    // `answered` hears the button.
    QMessageBox* Ask(const QString& name, const QString& text, std::function<void(QMessageBox*)> answered);
    // A profile that could not be read: why on the status line, the
    // terminal system's own words in the box.
    void ShowFileFailure(const QString& path, const QString& why);

    // The session's information and errors, translated where known.
    void ShowInformation(std::string_view text);
    void ShowError(std::string_view text);

private:
    QWidget& m_window;
    const CLabelCatalogue& m_catalogue;
    std::map<QString, QPointer<QMessageBox>> m_messages;  // kind -> its open box
};

} // namespace orlan
