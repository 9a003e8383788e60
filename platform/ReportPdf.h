#pragma once
// A document written as HTML, printed to an A4 PDF in memory (so it is
// saved as safely as any other file). Needs a QGuiApplication: the
// command line makes one on the offscreen platform when it writes a PDF.
#include <QByteArray>
#include <QString>

namespace orlan {

QByteArray PdfOfHtml(const QString& html);

} // namespace orlan
