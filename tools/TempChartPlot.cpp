#include "tools/TempChartPlot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPluginLoader>

#include <utility>

namespace orlan {

namespace {

ITempChartFactory* g_factory = nullptr;
// Never unloaded: plots made by the module live as long as their windows.
QPluginLoader* g_loader = nullptr;

} // namespace

void SetTempChartFactory(ITempChartFactory* factory)
{
    g_factory = factory;
}

QStringList TempChartModuleDirs()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(ORLAN_MODULE_DIR_FROM_BIN)))};
}

ITempChartFactory* LoadTempChartModule(const QStringList& dirs, QString* error)
{
    QStringList reasons;
    for (const QString& dir : dirs) {
        const QString base = QDir(dir).filePath(QLatin1String(kTempChartModuleName));
        // Only a folder that has the module says why it would not load.
        bool present = false;
        for (const QString& suffix : {QStringLiteral(".so"), QStringLiteral(".dll"), QStringLiteral(".dylib")})
            present = present || QFile::exists(base + suffix);
        if (!present)
            continue;
        if (g_loader != nullptr && g_loader->fileName().startsWith(base))
            return qobject_cast<ITempChartFactory*>(g_loader->instance());
        auto* loader = new QPluginLoader(base);
        if (auto* factory = qobject_cast<ITempChartFactory*>(loader->instance())) {
            delete std::exchange(g_loader, loader);
            return factory;
        }
        reasons.append(loader->errorString());
        delete loader;
    }
    if (error != nullptr)
        *error = reasons.isEmpty() ? QStringLiteral("%1 was not found in %2")
                                                         .arg(QLatin1String(kTempChartModuleName),
                                                              QDir::toNativeSeparators(dirs.join(QLatin1String(", "))))
                                   : reasons.join(QLatin1String("; "));
    return nullptr;
}

ITempChartFactory* TempChartFactory(QString* error)
{
    if (g_factory == nullptr)
        g_factory = LoadTempChartModule(TempChartModuleDirs(), error);
    return g_factory;
}

} // namespace orlan
