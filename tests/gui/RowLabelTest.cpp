// A row goes by one name everywhere: the label its list shows is the one a
// job's report names and the one orlan-cli's edit takes (beside its number).
#include <gtest/gtest.h>

#include <QLabel>

#include <filesystem>
#include <memory>
#include <string>

#include "app/ElidingLabel.h"
#include "app/JobReportLine.h"
#include "labels/LabelCatalogue.h"
#include "pages/AllPages.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"
#include "widgets/TableModel.h"
#include "widgets/TableView.h"

namespace orlan {
namespace {

class CQuietView final : public ISessionView {};

TEST(RowLabels, TheListTheReportAndTheCliNameARowAlike)
{
    CLabelCatalogue catalogue;
    ASSERT_TRUE(catalogue.Bind(std::filesystem::path(ORLAN_SOURCE_DIR) / "gsm.ini"));
    test::CRecordingSink sink;
    test::CManualClock clock;
    CQuietView view;
    CTerminalSession session(view, sink, clock);
    for (auto& page : CreateAllPages())
        session.AddPage(std::move(page));

    const struct {
        const char* page;
        size_t row;
        const char* label;
    } cases[] = {
        {"control-phones", 2, "No.2"},  // numbered from the catalogue's prefix
        {"rf-zones", 3, "03"},          // the page's own first column
        {"user-commands", 4, "4"},
        {"counter-setup", 1, "Ct1"},    // the table's own prefix
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        CPage* page = FindPageByName(session, c.page);
        ASSERT_NE(page, nullptr);
        CPageTable& table = page->Tables().front();

        CTableView list(table, page->Info().section, catalogue);
        EXPECT_EQ(list.TableModel()->index(static_cast<int>(c.row), 0).data().toString().toStdString(), c.label);

        QLabel bar;
        CElidingLabel line;
        CJobReportLine report(line, bar, catalogue);
        SJobReport written;
        written.sent = written.accepted = 3;
        report.PageJobFinished(*page, {SPageJobKind::EKind::RowEdit, {}, c.row, 0}, written);
        EXPECT_EQ(line.FullText().toStdString(), PageCaption(*page, catalogue) + ": " + c.label + " written");

        EXPECT_EQ(table.FindRow(c.label, catalogue), c.row);
        EXPECT_EQ(table.FindRow(std::to_string(c.row), catalogue), c.row);
        EXPECT_EQ(table.FindRow(" " + QString::fromLatin1(c.label).toLower().toStdString(), catalogue), c.row);
    }
    const CPageTable& phones = FindPageByName(session, "control-phones")->Tables().front();
    EXPECT_FALSE(phones.FindRow("No.10", catalogue)) << "past the last row";
    EXPECT_FALSE(phones.FindRow("x1", catalogue));
    EXPECT_FALSE(phones.FindRow("", catalogue));
}

} // namespace
} // namespace orlan
