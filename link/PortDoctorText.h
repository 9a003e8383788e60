#pragma once
// The port doctor's findings in plain English: one line per topic, for the
// CLI's report and the desktop's dialog alike.
#include "link/PortDoctor.h"

#include <QString>

#include <vector>

namespace orlan {

struct SFindingLine {
    QString topic;  // "access", "held by", ...
    QString text;
    bool problem = false;  // keeps the port from opening, or may disturb the link
};

std::vector<SFindingLine> FindingLines(const SPortFindings& findings);
// What to do so this user may open the port; empty when nothing is needed.
QString AccessAdvice(const SPortFindings& findings);
// "ready: ..." or "not usable: ..." in one sentence.
QString Verdict(const SPortFindings& findings);
// The device, then "  topic: text" per line, ending with a line feed.
QString FindingsText(const SPortFindings& findings);

} // namespace orlan
