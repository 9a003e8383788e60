// Every page through orlan-cli against the simulator: `write` sends exactly
// what the page's Save sends in this process after the same read, `--set`
// changes that batch as a typed value would, `edit` sends what the row
// dialog's OK sends; `diff` and `exec --backup --verify` compare the terminal
// with a profile.
#include <gtest/gtest.h>

#include <set>

#include <QTemporaryDir>

#include <optional>

#include "CliRunner.h"
#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "labels/LabelCatalogue.h"
#include "pages/AllPages.h"
#include "pages/KnownValues.h"
#include "session/PageAccess.h"

namespace orlan::test {
namespace {

std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > pos)
            lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

// The lines a page's job puts on the wire, as the terminal receives them.
std::vector<std::string> WireLines(const CPage& page, const SPageJob& job)
{
    std::vector<std::string> lines;
    if (job.bracketed)
        lines.push_back("%STARTCMD");
    for (const SCommand& command : job.commands) {
        for (std::string& line : Lines(command.text))
            lines.push_back(std::move(line));
    }
    if (job.bracketed)
        lines.push_back("%COMMITCMD");
    const std::vector<std::string> end = job.end == EJobEnd::ReadPage  ? Lines(page.DumpRequest())
                                         : job.end == EJobEnd::ReadAll ? std::vector<std::string>{"%DUMPS", "%DUMPR"}
                                         : job.end == EJobEnd::Request ? Lines(job.request)
                                                                       : std::vector<std::string>{};
    lines.insert(lines.end(), end.begin(), end.end());
    return lines;
}

// A value the field does not hold now, as a person would type it.
std::optional<std::string> OtherValue(const CFieldSet& fields, size_t i)
{
    const SFieldDesc& desc = fields.Desc(i);
    const SFieldValue& value = fields.Value(i);
    if (desc.readOnly || desc.hidden)
        return std::nullopt;
    switch (desc.kind) {
    case EFieldKind::Check: return value.number != 0 ? "off" : "on";
    case EFieldKind::Choice:
        if (desc.items.size() < 2)
            return std::nullopt;
        return std::to_string((value.number + 1) % static_cast<int>(desc.items.size()));
    case EFieldKind::Spin:
        return value.text == std::to_string(desc.minimum) ? std::to_string(desc.maximum) : std::to_string(desc.minimum);
    case EFieldKind::Text: return value.text == "7" ? "8" : "7";
    default: return std::nullopt;
    }
}

// A row the page's dialog edits: the first that its buttons or its tables offer.
std::optional<std::pair<size_t, size_t>> RowToEdit(const CPage& page)
{
    for (const SPageAction& action : page.Actions()) {
        if (action.rowEditorTable && page.RowEditor(*action.rowEditorTable, action.editorRow.value_or(1)))
            return std::pair{*action.rowEditorTable, action.editorRow.value_or(1)};
    }
    for (size_t table = 0; table < page.Tables().size(); ++table) {
        for (size_t row : {size_t{1}, size_t{0}}) {
            if (row < page.Tables()[table].Rows() && page.RowEditor(table, row))
                return std::pair{table, row};
        }
    }
    return std::nullopt;
}

std::vector<std::string> PagesWhere(const std::function<bool(const CPage&)>& wanted)
{
    std::vector<std::string> names;
    for (const auto& page : CreateAllPages()) {
        if (wanted(*page))
            names.push_back(page->Info().className);
    }
    return names;
}

// The simulator, logged in from the start, with what it received.
class CliPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_sim.emplace(SimWithLog(LogPath(), {QStringLiteral("--no-login")}));
        ASSERT_FALSE(m_sim->Device().isEmpty());
    }
    QString LogPath() const { return m_dir.filePath(QStringLiteral("received.log")); }
    QString Device() const { return m_sim->Device(); }
    size_t ReceivedCount() const { return ReceivedLines(LogPath()).size(); }
    // What a run sent after the whole read it began with.
    std::vector<std::string> SentAfterRead(size_t before) const
    {
        const std::vector<std::string> all = ReceivedLines(LogPath());
        auto it = all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size()));
        it = std::find(it, all.end(), "%DUMPR");
        return it == all.end() ? std::vector<std::string>{} : std::vector<std::string>(it + 1, all.end());
    }
    SCliRun Cli(QStringList args) const
    {
        args.prepend(Device());
        args.prepend(QStringLiteral("--port"));
        return RunCli(args);
    }

    QTemporaryDir m_dir;
    std::optional<CSimProcess> m_sim;
    CLabelCatalogue m_catalogue;
};

class CliWritesEveryPage : public CliPages, public ::testing::WithParamInterface<std::string> {};

TEST_P(CliWritesEveryPage, AsItsSaveDoesAndASetChangesTheBatchAsATypedValue)
{
    std::vector<std::string> unchanged;
    std::vector<std::string> changed;
    std::string assignment;
    int asReadExit = 0;
    {
        CSessionOverSerial console(Device());
        ASSERT_TRUE(console.ReadAll());
        CPage& page = console.Page(GetParam());
        // Only what the terminal reported goes back; a page it reports
        // nothing of (the UPS) writes nothing and says so.
        std::vector<SLeftOut> leftOut;
        const SPageJob job = KnownSaveJob(page, leftOut);
        unchanged = WireLines(page, job);
        asReadExit = job.commands.empty() && !leftOut.empty() ? 14 : 0;
        for (size_t i = 0; i < page.Fields().Size() && assignment.empty(); ++i) {
            if (const std::optional<std::string> value = OtherValue(page.Fields(), i)) {
                const std::string& id = page.Fields().Desc(i).id;
                ASSERT_EQ(SetFieldFromText(page.Fields(), id, *value, m_catalogue), "") << id;
                assignment = id + "=" + *value;
            }
        }
        std::vector<SLeftOut> leftOutSet;
        changed = WireLines(page, KnownSaveJob(page, leftOutSet));
    }
    size_t before = ReceivedCount();
    const SCliRun asRead = Cli({QStringLiteral("write"), QString::fromStdString(GetParam())});
    EXPECT_EQ(asRead.exitCode, asReadExit) << asRead.err;
    if (asReadExit != 0) {
        EXPECT_NE(asRead.out.find("not written: "), std::string::npos) << asRead.out;
    }
    EXPECT_EQ(SentAfterRead(before), unchanged);
    if (assignment.empty())
        return;  // a page of tables only
    before = ReceivedCount();
    const SCliRun set = Cli({QStringLiteral("write"), QString::fromUtf8(PageAlias(GetParam()).data(), static_cast<qsizetype>(PageAlias(GetParam()).size())), QStringLiteral("--set"),
                             QString::fromStdString(assignment)});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(SentAfterRead(before), changed) << assignment;
    EXPECT_NE(changed, unchanged) << assignment;
}

INSTANTIATE_TEST_SUITE_P(PagesWithSave, CliWritesEveryPage,
                         ::testing::ValuesIn(PagesWhere([](const CPage& page) { return page.Info().hasWriteBack; })),
                         [](const auto& param) { return param.param; });

class CliEditsARowOfEveryPage : public CliPages, public ::testing::WithParamInterface<std::string> {};

TEST_P(CliEditsARowOfEveryPage, AsTheRowDialogsOkDoes)
{
    std::vector<std::string> expected;
    std::pair<size_t, size_t> where;
    bool refused = false;
    {
        CSessionOverSerial console(Device());
        ASSERT_TRUE(console.ReadAll());
        CPage& page = console.Page(GetParam());
        const std::optional<std::pair<size_t, size_t>> row = RowToEdit(page);
        ASSERT_TRUE(row);
        where = *row;
        const SRowEditor editor = *page.RowEditor(where.first, where.second);
        refused = !page.RowEditError(where.first, where.second, editor.fields).empty();
        if (!refused)
            expected = WireLines(page, CTerminalSession::RowJob(
                                           page.CommitEditedRow(where.first, where.second, editor), false));
    }
    const size_t before = ReceivedCount();
    const SCliRun run = Cli({QStringLiteral("edit"), QString::fromStdString(GetParam()),
                             QString::number(where.second), QStringLiteral("--table"), QString::number(where.first)});
    EXPECT_EQ(run.exitCode, refused ? 1 : 0) << run.err;
    EXPECT_EQ(SentAfterRead(before), expected);
}

INSTANTIATE_TEST_SUITE_P(PagesThatEditRows, CliEditsARowOfEveryPage,
                         ::testing::ValuesIn(PagesWhere([](const CPage& page) { return RowToEdit(page).has_value(); })),
                         [](const auto& param) { return param.param; });

TEST_F(CliPages, RefusalsComeBeforeAnythingIsSent)
{
    const struct {
        QStringList args;
        std::string says;
    } cases[] = {
        {{"write", "no-such-page"}, "no page \"no-such-page\"; the pages are: "},
        {{"write", "control-phones"}, "has no Save"},
        {{"write", "buzzer", "--set", "loudness=3"}, "no field \"loudness\"; the fields are: sound, duration"},
        {{"write", "main", "--set", "smsMode=Morse"}, "is a list of"},
        {{"write", "buzzer", "--set", "sound=maybe"}, "is a switch"},
        // Values that would break their command, or the terminal's line.
        {{"write", "main", "--set", "serviceNumber=10086%RST"}, "would put \"%\""},
        {{"write", "main", "--set", "pin=%%%%%%%%%%%%"}, "would put \"%\""},
        {{"write", "main", "--set", "pin=12\r%ATF"}, "cannot hold a line break"},
        {{"write", "main", "--set", "unitId=" + QString(10000, u'7')}, "holds at most 1000 characters"},
        {{"write", "sms-data", "--set", "idleSpan=abc"}, "takes digits only"},
        {{"edit", "main", "0"}, "edits no rows"},
        {{"edit", "control-phones", "0", "--table", "3"}, "has no table 3"},
    };
    const size_t before = ReceivedCount();
    for (const auto& c : cases) {
        const SCliRun run = Cli(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReceivedCount(), before);  // not even the read

    // A row the list does not show, by number or by label, is refused before
    // the read, naming the rows there are.
    for (const char* name : {"10", "No.10"}) {
        const SCliRun row = Cli({QStringLiteral("edit"), QStringLiteral("control-phones"), QString::fromLatin1(name)});
        EXPECT_EQ(row.exitCode, 1);
        EXPECT_NE(row.err.find("its rows are No.0 (0) to No.9 (9)"), std::string::npos) << row.err;
    }
    EXPECT_EQ(ReceivedCount(), before);
}

TEST_F(CliPages, ShowPrintsValuesThatWriteTakesBack)
{
    const SCliRun text = Cli({QStringLiteral("show"), QStringLiteral("CPAGEBUZZER")});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("Siren (CPageBuzzer, buzzer)\n  sound = 1    # "), std::string::npos) << text.out;
    const SCliRun json = Cli({QStringLiteral("show"), QStringLiteral("buzzer"), QStringLiteral("--json")});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_TRUE(json.out.starts_with("{\"class\":\"CPageBuzzer\"")) << json.out;
    // A number field is a JSON number, a switch a boolean.
    EXPECT_NE(json.out.find("\"duration\":{\"value\":30,"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"sound\":{\"value\":true,"), std::string::npos) << json.out;
    const SCliRun all = Cli({QStringLiteral("show"), QStringLiteral("--json")});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(static_cast<size_t>(std::count(all.out.begin(), all.out.end(), '\n')), CreateAllPages().size() + 2);

    const SCliRun list = RunCli({QStringLiteral("pages")});  // needs no port
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(SplitAtLineFeeds(list.out).size(), CreateAllPages().size() + 1);
    EXPECT_NE(list.out.find("CPageMainParams   main "), std::string::npos) << list.out;
    // A page's ids and what they take, also without a port: what write --set needs.
    const SCliRun fields = RunCli({QStringLiteral("pages"), QStringLiteral("gprs")});
    EXPECT_EQ(fields.exitCode, 0) << fields.err;
    EXPECT_NE(fields.out.find("  gprsEnable  switch 0/1"), std::string::npos) << fields.out;
    EXPECT_NE(fields.out.find("  table 0 (centres): 4 rows\n    column 0"), std::string::npos) << fields.out;
    EXPECT_EQ(RunCli({QStringLiteral("pages"), QStringLiteral("nosuch")}).exitCode, 1);
}

TEST_F(CliPages, DiffComparesWithAProfileAndExecVerifiesWhatTookEffect)
{
    const QString profile = m_dir.filePath(QStringLiteral("site.txt"));
    ASSERT_EQ(Cli({QStringLiteral("read"), QStringLiteral("--profile"), profile}).exitCode, 0);
    const SCliRun same = Cli({QStringLiteral("diff"), profile});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(Cli({QStringLiteral("write"), QStringLiteral("buzzer"), QStringLiteral("--set"),
                   QStringLiteral("duration=45")})
                  .exitCode,
              0);
    const SCliRun differs = Cli({QStringLiteral("diff"), profile});
    EXPECT_EQ(differs.exitCode, 10) << differs.err;
    EXPECT_EQ(differs.out, "Siren: Alarm sound duration (seconds): 30 → 45\n");
    const SCliRun lines = Cli({QStringLiteral("diff"), profile, QStringLiteral("--raw")});
    EXPECT_EQ(lines.exitCode, 10) << lines.err;
    EXPECT_NE(lines.out.find("@@ //Page Buzzer Siren\n-%BUZT30\n+%BUZT45\n"), std::string::npos) << lines.out;

    // Back to the profile's siren, with a backup of what was there first; a
    // terminal that refuses everything keeps what it had, and says so.
    auto sirenOf = [](const std::string& bytes) {
        const size_t from = bytes.find("//Page Buzzer Siren");
        return from == std::string::npos ? std::string() : bytes.substr(from, bytes.find("//Page", from + 1) - from);
    };
    const QString siren = m_dir.filePath(QStringLiteral("siren.txt"));
    ASSERT_TRUE(WriteBytes(siren, sirenOf(ReadBytes(profile))));
    const QString backup = m_dir.filePath(QStringLiteral("before.txt"));
    const SCliRun restored = Cli({QStringLiteral("exec"), siren, QStringLiteral("--backup"), backup,
                                  QStringLiteral("--verify")});
    EXPECT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_NE(ReadBytes(backup).find("%BUZT45\r"), std::string::npos);
    EXPECT_EQ(Cli({QStringLiteral("diff"), profile}).exitCode, 0);

    ASSERT_TRUE(m_sim->Control(QStringLiteral("set-fault cmd-err on")));
    ASSERT_TRUE(WriteBytes(siren, sirenOf(ReadBytes(backup))));
    const SCliRun refused = Cli({QStringLiteral("exec"), siren, QStringLiteral("--verify")});
    EXPECT_EQ(refused.exitCode, 11) << refused.err;
    EXPECT_EQ(refused.out.find("%BUZEN1 (did not take effect)"), std::string::npos) << refused.out;  // held already
    EXPECT_NE(refused.out.find("%BUZT45 (did not take effect)\n"), std::string::npos) << refused.out;

    // A backup that cannot be written stops the run before anything is sent.
    const size_t before = ReceivedCount();
    const SCliRun noBackup = Cli({QStringLiteral("exec"), profile, QStringLiteral("--backup"),
                                  m_dir.filePath(QStringLiteral("no-such-folder/b.txt"))});
    EXPECT_EQ(noBackup.exitCode, 8) << noBackup.err;
    EXPECT_EQ(ReceivedCount(), before);
}

TEST_F(CliPages, AProfileIsChangedWithoutATerminalAndATemplateTakesPerUnitValues)
{
    const QString profile = m_dir.filePath(QStringLiteral("fleet.txt"));
    ASSERT_EQ(Cli({QStringLiteral("read"), QStringLiteral("--profile"), profile}).exitCode, 0);
    const std::string before = ReadBytes(profile);

    // A phone number changed in the file alone: exactly its line changes.
    const QString unit = m_dir.filePath(QStringLiteral("unit.txt"));
    const SCliRun edit = RunCli({QStringLiteral("--profile"), profile, QStringLiteral("edit"),
                                 QStringLiteral("control-phones"), QStringLiteral("No.3"), QStringLiteral("--set"),
                                 QStringLiteral("number=+4915112345"), QStringLiteral("--output"), unit});
    ASSERT_EQ(edit.exitCode, 0) << edit.err;
    EXPECT_EQ(ReadBytes(profile), before) << "--output leaves the profile as it was";
    const std::vector<std::string> a = SplitAtLineFeeds(before);
    const std::vector<std::string> b = SplitAtLineFeeds(ReadBytes(unit));
    ASSERT_EQ(a.size(), b.size());
    std::vector<std::string> changed;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            changed.push_back(b[i]);
    }
    EXPECT_EQ(changed, (std::vector<std::string>{"%CS3+4915112345\r\r"}));
    const SCliRun shown = RunCli({QStringLiteral("--profile"), unit, QStringLiteral("show"), QStringLiteral("control-phones")});
    EXPECT_NE(shown.out.find("No.3: +4915112345"), std::string::npos) << shown.out;
    const QString report = m_dir.filePath(QStringLiteral("handover.html"));
    const SCliRun reported = RunCli({QStringLiteral("--profile"), unit, QStringLiteral("report"), QStringLiteral("--output"), report});
    ASSERT_EQ(reported.exitCode, 0) << reported.err;
    EXPECT_NE(ReadBytes(report).find("+4915112345"), std::string::npos) << "the report shows the file's values";
    // The same as a PDF, printed without a display.
    const QString pdf = m_dir.filePath(QStringLiteral("handover.pdf"));
    const SCliRun printed = RunCli({QStringLiteral("--profile"), unit, QStringLiteral("report"), QStringLiteral("--output"), pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_TRUE(ReadBytes(pdf).starts_with("%PDF-"));
    const SCliRun compared = RunCli({QStringLiteral("diff"), profile, unit});
    EXPECT_EQ(compared.exitCode, 10) << compared.err;
    EXPECT_EQ(compared.out, "Phone numbers: No.3 Phone number: +8613800000004 → +4915112345\n");

    // A template of two sections with one unit's values put in, checked
    // before a byte goes out.
    auto section = [&before](std::string_view title) {
        const size_t from = before.rfind("\r\r\n", before.find(title));
        return before.substr(from, before.find("//Page", from + 4) - from - 3);
    };
    const QString fleet = m_dir.filePath(QStringLiteral("template.txt"));
    ASSERT_TRUE(WriteBytes(fleet, section("//Page Device Control phones") + section("//Page Buzzer Siren")));
    EXPECT_EQ(Cli({QStringLiteral("exec"), fleet, QStringLiteral("--set"), QStringLiteral("buzzer.duration=abc")}).exitCode, 1);
    const SCliRun exec = Cli({QStringLiteral("exec"), fleet, QStringLiteral("--set"), QStringLiteral("buzzer.duration=50"),
                              QStringLiteral("--set"), QStringLiteral("control-phones.No.3.number=+4930111"),
                              QStringLiteral("--verify")});
    EXPECT_EQ(exec.exitCode, 0) << exec.err;
    const SCliRun after = Cli({QStringLiteral("show"), QStringLiteral("control-phones")});
    EXPECT_NE(after.out.find("No.3: +4930111"), std::string::npos) << after.out;
    const std::vector<std::string> differences = SplitAtLineFeeds(Cli({QStringLiteral("diff"), profile}).out);
    EXPECT_EQ(std::set<std::string>(differences.begin(), differences.end()),
              (std::set<std::string>{"Siren: Alarm sound duration (seconds): 30 → 50",
                                     "Phone numbers: No.3 Phone number: +8613800000004 → +4930111"}));
}

} // namespace
} // namespace orlan::test
