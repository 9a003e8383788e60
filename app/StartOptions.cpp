#include "app/StartOptions.h"

#include "app/NavigationBar.h"
#include "console/ConsoleCommands.h"

#include "labels/CommonLabelKeys.h"
#include "session/PageOrders.h"

namespace orlan {

QStringList StartPageKeys()
{
    QStringList keys{QString::fromLatin1(kOverviewItemKey)};
    for (const NavigationFolderKeys& folder : kNavigationFolders) {
        for (std::string_view key : folder.items)
            keys.append(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
    }
    for (std::string_view name : AllPageClasses())
        keys.append(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    return keys;
}

SParsedCommandLine ParseCommandLine(const QStringList& arguments)
{
    SParsedCommandLine parsed;
    auto fail = [&parsed](const QString& error) {
        parsed.outcome = EParseOutcome::Error;
        parsed.error = error;
        return parsed;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            parsed.outcome = EParseOutcome::Help;
            return parsed;
        }
        if (arg == QLatin1String("--version")) {
            parsed.outcome = EParseOutcome::Version;
            return parsed;
        }
        if (arg == QLatin1String("--exit-when-shown")) {
            parsed.options.exitWhenShown = true;
            continue;
        }
        const bool takesValue = arg == QLatin1String("--port") || arg == QLatin1String("--password") ||
                                arg == QLatin1String("--page") || arg == QLatin1String("--screenshot") ||
                                arg == QLatin1String("--profile");
        if (!takesValue)
            return fail(QStringLiteral("unexpected argument %1").arg(arg));
        if (i + 1 >= arguments.size())
            return fail(QStringLiteral("%1 needs a value").arg(arg));
        const QString& value = arguments[++i];
        if (arg == QLatin1String("--port")) {
            parsed.options.port = ParsePortInput(value);
            if (!parsed.options.port)
                return fail(QStringLiteral("not a port: %1").arg(value));
        } else if (arg == QLatin1String("--password")) {
            const std::string why = PasswordError(value.toStdString());
            if (!why.empty())
                return fail(QStringLiteral("--password: %1").arg(QString::fromStdString(why)));
            parsed.options.password = value;
        } else if (arg == QLatin1String("--page")) {
            const QStringList keys = StartPageKeys();
            if (!keys.contains(value))
                return fail(QStringLiteral("unknown page %1; the pages are: %2").arg(value, keys.join(QStringLiteral(", "))));
            parsed.options.firstPage = value;
        } else if (value.isEmpty()) {
            return fail(QStringLiteral("%1 needs a file name").arg(arg));
        } else if (arg == QLatin1String("--profile")) {
            parsed.options.profilePath = value;
        } else {
            parsed.options.screenshotPath = value;
        }
    }
    return parsed;
}

} // namespace orlan
