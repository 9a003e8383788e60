#include "app/SessionTexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

namespace orlan {

namespace {

class CSessionTexts {
    Q_DECLARE_TR_FUNCTIONS(CSessionTexts)

public:
    // The text, its listed parts ("\n\n" heading, one item a line) too.
    static QString Whole(const QString& text);

private:
    struct SRule {
        QRegularExpression pattern;
        QString (*make)(const QRegularExpressionMatch& match);
    };
    static const std::vector<SRule>& Rules();
    static const std::vector<SRule>& SummaryPieces();
    static QString Match(const std::vector<SRule>& rules, const QString& text, bool& known);
    static QString One(const QString& text);
    // "3 commands sent, 1 rejected, cancelled": every piece known, or the
    // summary stays English as a whole.
    static QString Summary(const QString& text);
};

QRegularExpression Pattern(const char* pattern)
{
    // Commands quoted in a text may hold line breaks.
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(pattern)),
                              QRegularExpression::DotMatchesEverythingOption);
}

const std::vector<CSessionTexts::SRule>& CSessionTexts::Rules()
{
    using M = const QRegularExpressionMatch&;
    static const std::vector<SRule> rules = {
        // Login and profile runs. The success text is the terminal system's
        // own, typo and all; only its translations say it properly.
        {Pattern(R"(The login password is incorrect!)"), [](M) { return tr("The login password is incorrect!"); }},
        {Pattern(R"(Excute the profile sucessed!)"), [](M) { return tr("Excute the profile sucessed!"); }},
        {Pattern(R"(The profile was not executed, nothing was sent: (.+))"),
         [](M m) { return tr("The profile was not executed, nothing was sent: %1").arg(One(m.captured(1))); }},
        {Pattern(R"(The profile was not executed: nothing to execute \(no line starts with '%'\))"),
         [](M) { return tr("The profile was not executed: nothing to execute (no line starts with '%')"); }},
        {Pattern(R"(The profile was not executed completely: (.+)\.)"),
         [](M m) { return tr("The profile was not executed completely: %1.").arg(Summary(m.captured(1))); }},
        {Pattern(R"(The terminal restarted during the profile: nothing more was sent, and no "%COMMITCMD" to the restarted terminal \((.+)\)\.)"),
         [](M m) {
             // The command's name is no text to translate.
             return tr("The terminal restarted during the profile: nothing more was sent, and no %1 to the "
                       "restarted terminal (%2).")
                 .arg(QStringLiteral("\"%COMMITCMD\""), Summary(m.captured(1)));
         }},
        {Pattern(R"(Commands the terminal did not take:)"), [](M) { return tr("Commands the terminal did not take:"); }},
        {Pattern(R"(Taken before the restart, (\d+) \(the batch was never committed: the terminal may have lost them\):)"),
         [](M m) {
             return tr("Taken before the restart, %1 (the batch was never committed: the terminal may have lost "
                       "them):")
                 .arg(m.captured(1));
         }},
        {Pattern(R"(Not taken or not sent:)"), [](M) { return tr("Not taken or not sent:"); }},
        {Pattern(R"(\.\.\. and (\d+) more)"), [](M m) { return tr("... and %1 more").arg(m.captured(1)); }},

        // What the profile reader refuses.
        {Pattern(R"(nothing to execute: no line starts with '%')"),
         [](M) { return tr("nothing to execute: no line starts with '%'"); }},
        {Pattern(R"(line (\d+): (.+))"), [](M m) { return tr("line %1: %2").arg(m.captured(1), One(m.captured(2))); }},
        {Pattern(R"(a CR inside a command \(do the file's lines end with CR alone\?\))"),
         [](M) { return tr("a CR inside a command (do the file's lines end with CR alone?)"); }},
        {Pattern(R"(a NUL byte: this is not a text profile \(UTF-16 or a binary file\?\))"),
         [](M) { return tr("a NUL byte: this is not a text profile (UTF-16 or a binary file?)"); }},
        {Pattern(R"(the control byte (.+) in a command)"),
         [](M m) { return tr("the control byte %1 in a command").arg(m.captured(1)); }},
        {Pattern(R"(a run of '%' is the setup key run, not a command)"),
         [](M) { return tr("a run of '%' is the setup key run, not a command"); }},
        {Pattern(R"(a command of (\d+) bytes is longer than the terminal's line limit of (\d+) bytes)"),
         [](M m) {
             return tr("a command of %1 bytes is longer than the terminal's line limit of %2 bytes")
                 .arg(m.captured(1), m.captured(2));
         }},

        // Why a whole read failed.
        {Pattern(R"(the read request could not be written: the channel's output stayed full)"),
         [](M) { return tr("the read request could not be written: the channel's output stayed full"); }},
        {Pattern(R"(the read request could not be written: the channel is closed)"),
         [](M) { return tr("the read request could not be written: the channel is closed"); }},
        {Pattern(R"(no end of the dump within (\d+) s)"),
         [](M m) { return tr("no end of the dump within %1 s").arg(m.captured(1)); }},
        {Pattern(R"(the terminal did not answer within (\d+) s: check the cable, the port, that the terminal is powered and that the password is right)"),
         [](M m) {
             return tr("the terminal did not answer within %1 s: check the cable, the port, that the terminal is "
                       "powered and that the password is right")
                 .arg(m.captured(1));
         }},
        {Pattern(R"(the port was closed)"), [](M) { return tr("the port was closed"); }},
        // The reason comes from the port, as the link text shows it.
        {Pattern(R"(the link was lost: (.*))"), [](M m) { return tr("the link was lost: %1").arg(m.captured(1)); }},
        {Pattern(R"((\d+) lines of the dump came with stray bytes before them: check the port's speed and parity, and the cable)"),
         [](M m) {
             return tr("%1 lines of the dump came with stray bytes before them: check the port's speed and parity, "
                       "and the cable")
                 .arg(m.captured(1));
         }},
        {Pattern(R"(the terminal ended its dump without a single setting line)"),
         [](M) { return tr("the terminal ended its dump without a single setting line"); }},
        {Pattern(R"(the terminal answered the read request "CMD ERR": is it logged in\?)"),
         [](M) { return tr("the terminal answered the read request \"CMD ERR\": is it logged in?"); }},

        // Why a typed value was refused.
        {Pattern(R"(is one line: it cannot hold a line break)"),
         [](M) { return tr("is one line: it cannot hold a line break"); }},
        {Pattern(R"(holds at most (\d+) characters)"),
         [](M m) { return tr("holds at most %1 characters").arg(m.captured(1)); }},
        {Pattern(R"(takes digits only)"), [](M) { return tr("takes digits only"); }},
        {Pattern(R"(takes a whole number from (-?\d+) to (-?\d+))"),
         [](M m) { return tr("takes a whole number from %1 to %2").arg(m.captured(1), m.captured(2)); }},
        {Pattern(R"(takes a decimal number such as -12\.5)"), [](M) { return tr("takes a decimal number such as -12.5"); }},
        {Pattern(R"x(would put "%" or a line break inside the command "(.*)", where the terminal would take it for another command)x"),
         [](M m) {
             return tr("would put \"%\" or a line break inside the command \"%1\", where the terminal would take it "
                       "for another command")
                 .arg(m.captured(1));
         }},

        // A job report's summary on its own.
        {Pattern(R"(\d+ commands? sent(?:, .*)?)"), [](M m) { return Summary(m.captured(0)); }},
    };
    return rules;
}

const std::vector<CSessionTexts::SRule>& CSessionTexts::SummaryPieces()
{
    using M = const QRegularExpressionMatch&;
    static const std::vector<SRule> pieces = {
        {Pattern(R"((\d+) command sent)"), [](M m) { return tr("%1 command sent").arg(m.captured(1)); }},
        {Pattern(R"((\d+) commands sent)"), [](M m) { return tr("%1 commands sent").arg(m.captured(1)); }},
        {Pattern(R"((\d+) not sent)"), [](M m) { return tr("%1 not sent").arg(m.captured(1)); }},
        {Pattern(R"((\d+) rejected)"), [](M m) { return tr("%1 rejected").arg(m.captured(1)); }},
        {Pattern(R"((\d+) unanswered)"), [](M m) { return tr("%1 unanswered").arg(m.captured(1)); }},
        {Pattern(R"((\d+) accepted with "Please wait" only)"),
         [](M m) { return tr("%1 accepted with \"Please wait\" only").arg(m.captured(1)); }},
        {Pattern(R"((\d+) answer uncertain)"), [](M m) { return tr("%1 answer uncertain").arg(m.captured(1)); }},
        {Pattern(R"((\d+) surplus answer ignored)"),
         [](M m) { return tr("%1 surplus answer ignored").arg(m.captured(1)); }},
        {Pattern(R"((\d+) surplus answers ignored)"),
         [](M m) { return tr("%1 surplus answers ignored").arg(m.captured(1)); }},
        {Pattern(R"(cancelled)"), [](M) { return tr("cancelled"); }},
    };
    return pieces;
}

QString CSessionTexts::Match(const std::vector<SRule>& rules, const QString& text, bool& known)
{
    for (const SRule& rule : rules) {
        const QRegularExpressionMatch match = rule.pattern.match(text);
        if (match.hasMatch()) {
            known = true;
            return rule.make(match);
        }
    }
    known = false;
    return text;
}

QString CSessionTexts::One(const QString& text)
{
    bool known = false;
    return Match(Rules(), text, known);
}

QString CSessionTexts::Summary(const QString& text)
{
    const QString separator = QStringLiteral(", ");
    QStringList pieces = text.split(separator);
    for (QString& piece : pieces) {
        bool known = false;
        piece = Match(SummaryPieces(), piece, known);
        if (!known)
            return text;
    }
    return pieces.join(separator);
}

QString CSessionTexts::Whole(const QString& text)
{
    const QString gap = QStringLiteral("\n\n");
    QStringList paragraphs = text.split(gap);
    bool known = false;
    paragraphs[0] = Match(Rules(), paragraphs[0], known);
    // What follows a known text are lists: a heading, then commands kept
    // as they are, and how many more there were.
    if (!known)
        return text;
    for (qsizetype i = 1; i < paragraphs.size(); ++i) {
        QStringList lines = paragraphs[i].split(QLatin1Char('\n'));
        lines[0] = One(lines[0]);
        if (lines.size() > 1 && lines.back().startsWith(QLatin1String("... and ")))
            lines.back() = One(lines.back());
        paragraphs[i] = lines.join(QLatin1Char('\n'));
    }
    return paragraphs.join(gap);
}

} // namespace

QString SessionText(std::string_view english)
{
    return CSessionTexts::Whole(QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size())));
}

} // namespace orlan
