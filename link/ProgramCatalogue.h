#pragma once
// The label catalogue a program binds to: gsm.ini of the working directory,
// else the one installed with the program or copied beside it. Header only,
// so the link library itself needs nothing of the core.
#include <QCoreApplication>
#include <QDir>

#include "labels/LabelCatalogue.h"

namespace orlan {

inline CLabelCatalogue OpenProgramCatalogue()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    CLabelCatalogue catalogue;
    catalogue.Bind(ResolveCataloguePath(QDir::currentPath().toStdString(),
                                        {(exeDir + QStringLiteral("/../share/orlan/gsm.ini")).toStdString(),
                                         (exeDir + QStringLiteral("/gsm.ini")).toStdString()}));
    return catalogue;
}

} // namespace orlan
