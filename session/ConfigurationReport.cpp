#include "session/ConfigurationReport.h"

#include "labels/LabelCatalogue.h"
#include "session/PageAccess.h"
#include "session/ShownValue.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

constexpr std::string_view kNotKnown = "\u2014";

bool HoldsAnyValue(const CPage& page)
{
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        if (IsSettingField(fields.Desc(i)) && fields.IsKnown(i))
            return true;
    }
    for (const CPageTable& table : page.Tables()) {
        for (size_t row = 0; row < table.Rows(); ++row) {
            for (size_t column = 0; column < table.Desc().dataColumns; ++column) {
                if (table.IsKnown(row, column))
                    return true;
            }
        }
    }
    return false;
}

std::string Cell(bool known, std::string_view value)
{
    return known ? HtmlEscaped(value) : std::string(kNotKnown);
}

void AppendFields(const CPage& page, const CLabelCatalogue& catalogue, std::string& html)
{
    const CFieldSet& fields = page.Fields();
    std::string rows;
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        if (!IsSettingField(desc) || desc.hidden)
            continue;
        rows += "<tr><th>" + HtmlEscaped(FieldCaption(desc, page.Info().section, catalogue)) + "</th><td>"
                + Cell(fields.IsKnown(i), ShownValue(fields, i, catalogue)) + "</td></tr>\n";
    }
    if (!rows.empty())
        html += "<table class=\"settings\">\n" + rows + "</table>\n";
}

void AppendTables(const CPage& page, const CLabelCatalogue& catalogue, std::string& html)
{
    for (const CPageTable& table : page.Tables()) {
        if (table.Rows() == 0)
            continue;
        const STableDesc& desc = table.Desc();
        html += "<table class=\"grid\">\n<tr><th></th>";
        for (size_t column = 0; column < desc.dataColumns; ++column)
            html += "<th>" + HtmlEscaped(ColumnCaption(table, column, page.Info().section, catalogue)) + "</th>";
        html += "</tr>\n";
        for (size_t row = 0; row < table.Rows(); ++row) {
            html += "<tr><th>" + HtmlEscaped(table.RowLabel(row, catalogue)) + "</th>";
            for (size_t column = 0; column < desc.dataColumns; ++column)
                html += "<td>" + Cell(table.IsKnown(row, column), table.Cell(row, column)) + "</td>";
            html += "</tr>\n";
        }
        html += "</table>\n";
    }
}

} // namespace

std::string HtmlEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\n': out += "<br>"; break;
        case '\r': break;
        default: out += c;
        }
    }
    return out;
}

std::string ConfigurationReportHtml(const CTerminalSession& session, const CLabelCatalogue& catalogue,
                                    std::string_view toolVersion, std::string_view date)
{
    std::string unit;
    if (const CPage* main = session.FindPage("CPageMainParams");
        main != nullptr && main->Fields().Has("unitId") && main->Fields().IsKnown("unitId"))
        unit = main->Fields().Text("unitId");
    const std::string title = "Configuration of unit " + (unit.empty() ? std::string(kNotKnown) : unit);
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + HtmlEscaped(title)
                       + "</title>\n<style>body{font-family:sans-serif}table{border-collapse:collapse;margin:4px 0 "
                         "12px}th,td{border:1px solid #999;padding:2px 6px;text-align:left}"
                         "table.settings th{font-weight:normal;background:#f0f0f0}</style></head><body>\n";
    html += "<h1>" + HtmlEscaped(title) + "</h1>\n<p>" + HtmlEscaped(date) + " &middot; orlan "
            + HtmlEscaped(toolVersion) + "</p>\n";
    std::string empty;
    for (const auto& page : session.Pages()) {
        const std::string caption = PageCaption(*page, catalogue);
        if (!HoldsAnyValue(*page)) {
            if (!page->Settings().empty())
                empty += (empty.empty() ? "" : ", ") + HtmlEscaped(caption);
            continue;
        }
        html += "<h2>" + HtmlEscaped(caption) + "</h2>\n";
        AppendFields(*page, catalogue, html);
        AppendTables(*page, catalogue, html);
    }
    if (!empty.empty())
        html += "<h2>Pages without values</h2>\n<p>" + empty + "</p>\n";
    return html + "</body></html>\n";
}

} // namespace orlan
