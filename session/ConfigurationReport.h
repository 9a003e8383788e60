#pragma once
// A readable document of what the pages hold, for a customer's file or a
// service record: every page by caption, every setting by caption and value,
// tables as grids, with the unit, the date and the tool's version. The
// window writes it as HTML or prints it to PDF.
#include <string>
#include <string_view>

namespace orlan {

class CLabelCatalogue;
class CTerminalSession;

// The whole report as one HTML document (UTF-8). Values not known are shown
// as a dash; pages holding no known value are only named at the end.
std::string ConfigurationReportHtml(const CTerminalSession& session, const CLabelCatalogue& catalogue,
                                    std::string_view toolVersion, std::string_view date);

// Text made safe inside HTML elements and attribute values.
std::string HtmlEscaped(std::string_view text);

} // namespace orlan
