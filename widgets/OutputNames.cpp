#include "widgets/OutputNames.h"

#include <utility>

namespace orlan {

namespace {

FOutputName& Source()
{
    static FOutputName source;
    return source;
}

} // namespace

void SetOutputNameSource(FOutputName source)
{
    Source() = std::move(source);
}

QString WithOutputName(const QString& text, int output)
{
    if (output < 0 || !Source())
        return text;
    const std::string name = Source()(output);
    return name.empty() ? text : QStringLiteral("%1 (%2)").arg(text, QString::fromStdString(name));
}

} // namespace orlan
