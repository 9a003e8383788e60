// The Modbus master page: register lines into the table (with the lines a
// faulty dump may bring), the general batch, and the register dialog: its
// preparation from a row, its fields by type, its mask grid, its refusals
// and the exact row batch.
#include <gtest/gtest.h>

#include "AnalogSupport.h"
#include "labels/TextCodec.h"
#include "pages/fieldbus/MbusParamsPage.h"
#include "pages/fieldbus/ModmasterSetupDlg.h"
#include "pages/messages/RegisterNamePage.h"

namespace orlan::test {
namespace {

using namespace fieldbus;
using Col = CPageMbusParams::EColumn;

class FieldbusMbus : public ::testing::Test {
protected:
    std::vector<std::string> Cells(size_t row, size_t first, size_t last) const
    {
        std::vector<std::string> cells;
        for (size_t c = first; c <= last; ++c)
            cells.push_back(page.Cell(row, c));
        return cells;
    }
    SRowEditor Editor(size_t row) const
    {
        std::optional<SRowEditor> editor = page.RowEditor(0, row);
        EXPECT_TRUE(editor);
        return editor ? *editor : SRowEditor{};
    }
    // The channel marks of an editor, "O" or "X" for Cs0 … Cs9.
    static std::string Marks(const SRowEditor& editor)
    {
        std::string marks;
        for (size_t c = 0; c < kChannels; ++c)
            marks += editor.tables.front().Cell(0, kFirstChannelColumn + c);
        return marks;
    }

    CSessionHarness h;
    CPageMbusParams& page = h.Page<CPageMbusParams>("CPageMbusParams");
};

TEST_F(FieldbusMbus, RegisterLinesFillTheirColumns)
{
    h.Feed({"$MDMAS05,1,40001,3,1", "$MDMAS06,2,40002,0,0", "$MDMAS07,3,30001,2,1", "$MDMAS08,4,1,9,1",
            "$MDMSC05,1.5", "$MDMCG05,10", "$MDBAS05,-2", "$MDMSK05,7", "$MDLKO05,3", "$MDLAG05,4",
            "$MDMTX05,3ff", "$MDFLG05,1,0,1,0,1", "$RNAME5 00500075006D0070", "$REG5 900", "$REG37 100"});
    EXPECT_EQ(Cells(5, Col::kName, Col::kChannelMask),
              (Blocks{"Pump", "1", "40001", "Discrete State", "ON", "1.5", "100", "900", "10", "-2", "7", "3", "1",
                      "0", "1", "0", "1", "4", "3ff"}));
    EXPECT_EQ(Cells(6, Col::kType, Col::kState), (Blocks{"Coils", "OFF"}));
    // Registers have no normal state; a type the terminal does not know is "Invalid".
    EXPECT_EQ(Cells(7, Col::kType, Col::kState), (Blocks{"Input Registers", ""}));
    EXPECT_EQ(Cells(8, Col::kType, Col::kState), (Blocks{"Invalid", ""}));
    EXPECT_EQ(page.Cell(5, Col::kIndex), "5");
    // Limits 32-63 are the lows of rows 0-31.
    h.Feed({"$REG40 -5", "$REG8 50"});
    EXPECT_EQ(Cells(8, Col::kLow, Col::kHigh), (Blocks{"-5", "50"}));
    // The names and limits reach the register names page as well.
    const auto& names = h.Page<CPageRname>("CPageRname");
    EXPECT_EQ(names.Cell(5, CPageRname::kNameColumn), "Pump");
    EXPECT_EQ(names.Cell(8, CPageRname::kLowColumn), "-5");
}

TEST_F(FieldbusMbus, MalformedRegisterLinesChangeNothing)
{
    h.Feed({"$MDMAS00,1,40001,1,0", "$MDMSC00,2.0", "$MDFLG00,1,1,1,1,1"});
    const Blocks before = Cells(0, Col::kName, Col::kChannelMask);
    // A blank behind the key, rows out of the table, lines cut short, an
    // index that is no number: none of them may land in a row.
    h.Feed({"$MDMAS 00,9,9,0,1", "$MDMAS32,9,9,0,1", "$MDMAS00", "$MDMSCx0,9", "$MDMSC00", "$MDMSC-1,9",
            "$MDFLG00,0,0", "$REG64 9", "$RNAME32 0041", "$RNAME 0041", "$MDLKO99999999999999,1", "$MDMSC"});
    EXPECT_EQ(Cells(0, Col::kName, Col::kChannelMask), before);
    for (size_t row = 1; row < CPageMbusParams::kRows; ++row)
        EXPECT_EQ(Cells(row, Col::kName, Col::kChannelMask), Blocks(19)) << row;
    // Fields are cut to 63 characters (31 for the two-field keys).
    h.Feed({"$MDMAS01," + std::string(70, '7') + ",1,1,0", "$MDMSC01," + std::string(40, '8')});
    EXPECT_EQ(page.Cell(1, Col::kSlave), std::string(63, '7'));
    EXPECT_EQ(page.Cell(1, Col::kGain), std::string(31, '8'));
}

TEST_F(FieldbusMbus, AShortRegisterLineFillsTheColumnsItCarries)
{
    struct SCase {
        std::string line;
        Blocks cells;  // slave, register, type, state of row 3 afterwards
    };
    const SCase cases[] = {
        {"$MDMAS03,7", {"7", "40001", "Coils", "ON"}},
        {"$MDMAS03,7,40009", {"7", "40009", "Coils", "ON"}},
        {"$MDMAS03,7,40009,3", {"7", "40009", "Discrete State", "ON"}},
        {"$MDMAS03,7,40009,2", {"7", "40009", "Input Registers", "ON"}},
        {"$MDMAS03,7,40009,0,0", {"7", "40009", "Coils", "OFF"}},
        {"$MDMAS03", {"1", "40001", "Coils", "ON"}},
    };
    for (const SCase& c : cases) {
        h.Feed({"$MDMAS03,1,40001,0,1", "$MDMSC03,2.5", c.line});
        EXPECT_EQ(Cells(3, Col::kSlave, Col::kState), c.cells) << c.line;
        EXPECT_EQ(page.Cell(3, Col::kGain), "2.5") << c.line;
    }
}

TEST_F(FieldbusMbus, GeneralValuesTheirBatchAndTheWholeRead)
{
    h.Feed({"$MDADDR 7", "$MDRSDT 30", "$MDRAST 5", "$MDRDTO 1000", "$MDLPTO 10", "$MDMAS03,1,2,1,0",
            "$MDMTX03,1"});
    EXPECT_EQ(page.Fields().Text("slaveAddress"), "7");
    EXPECT_TRUE(page.Fields().Desc(page.Fields().IndexOf("slaveAddress")).hidden);
    page.Fields().SetText("pollInterval", "");
    h.session.WriteBack(page);
    EXPECT_EQ(AcceptAll(h), (Blocks{"%STARTCMD\r", "%MDAS5\r", "%MDADDR7\r", "%MDLS30\r", "%MDRTO1000\r", "%MDLTO\r",
                                    "%COMMITCMD\r", "%DUMPS\r", "%DUMPR\r"}));
    // The whole read emptied every value a dump fills, the indexes stay.
    EXPECT_EQ(page.Fields().Text("repeatInterval"), "");
    EXPECT_EQ(Cells(3, Col::kName, Col::kChannelMask), Blocks(19));
    EXPECT_EQ(page.Cell(31, Col::kIndex), "31");
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_MODBUS\r"});
}

TEST_F(FieldbusMbus, TheDialogIsPreparedFromTheRow)
{
    struct SCase {
        std::string type;
        std::string state;
        std::string interlock;
        std::string mask;
        int typeCode;
        int stateEntry;
        int interlockEntry;
        std::string marks;
    };
    const SCase cases[] = {
        {"Discrete State", "ON", "3", "3ff", kDiscrete, 1, 3, "OOOOOOOOOO"},
        {"Coils", "OFF", "9", "5", kCoil, 0, 8, "OXOXXXXXXX"},
        {"Keep Registers", "", "255", "0x201", kHolding, 1, 8, "OXXXXXXXXO"},
        {"Input Registers", "", "x", "FFFFFC00", kInput, 1, 8, "XXXXXXXXXX"},
        {"Invalid", "", "-1", "", -1, 1, 8, "XXXXXXXXXX"},
    };
    for (const SCase& c : cases) {
        h.Feed({"$MDLKO04," + c.interlock, "$MDMTX04," + c.mask});
        page.Tables().front().SetCell(4, Col::kType, c.type);
        page.Tables().front().SetCell(4, Col::kState, c.state);
        const SRowEditor editor = Editor(4);
        EXPECT_EQ(editor.className, "CModmasterSetupDlg");
        EXPECT_EQ(editor.fields.Number(kTypeField), c.typeCode) << c.type;
        EXPECT_EQ(editor.fields.Number(kStateField), c.stateEntry) << c.type;
        EXPECT_EQ(editor.fields.Number(kInterlockField), c.interlockEntry) << c.interlock;
        EXPECT_EQ(Marks(editor), c.marks) << c.mask;
        EXPECT_EQ(editor.tables.front().Cell(0, 0), "4");
    }
    h.Feed({"$MDFLG04,1,0,2,-1,x", "$MDMSC04,1.5", "$RNAME4 0041"});
    const SRowEditor editor = Editor(4);
    EXPECT_EQ(editor.fields.Number(kFlag32Field), 1);
    EXPECT_EQ(editor.fields.Number(kWordInverseField), 0);
    EXPECT_EQ(editor.fields.Number(kFloatField), 1);
    EXPECT_EQ(editor.fields.Number(kUnsignedField), 0);
    EXPECT_EQ(editor.fields.Number(kByteInverseField), 0);
    EXPECT_EQ(editor.fields.Text(kGainField), "1.5");
    EXPECT_EQ(editor.fields.Text(kNameField), "A");
    EXPECT_FALSE(page.RowEditor(0, CPageMbusParams::kRows));
    EXPECT_FALSE(page.RowEditor(1, 0));
}

TEST_F(FieldbusMbus, TheDialogShowsTheFieldsOfItsType)
{
    SRowEditor editor = Editor(0);
    CFieldSet& f = editor.fields;
    auto shown = [&f](std::string_view id) { return f.IsShown(f.IndexOf(id)); };
    const std::string_view registerFields[] = {kLowField,       kHighField,     kGainField,   kStepField,
                                               kAdjustField,    kAlarmMaskField, kInterlockField, kLagField,
                                               kFlag32Field,    kWordInverseField, kFloatField, kUnsignedField,
                                               kByteInverseField};
    for (int type : std::initializer_list<int>{kCoil, kHolding, kInput, kDiscrete, -1}) {
        f.SetNumber(kTypeField, type);
        const bool bits = type == kCoil || type == kDiscrete;
        const bool registers = type == kHolding || type == kInput;
        EXPECT_EQ(shown(kStateField), bits) << type;
        for (std::string_view id : registerFields)
            EXPECT_EQ(shown(id), registers) << type << " " << id;
        for (std::string_view id : {kNameField, kSlaveField, kRegisterField, kTypeField})
            EXPECT_TRUE(shown(id)) << type << " " << id;
    }
}

TEST_F(FieldbusMbus, OkSendsTheRowBatchUpdatesTheRowAndAsksForIt)
{
    h.Feed({"$MDMAS05,1,40001,1,0", "$MDLKO05,9", "$MDMTX05,0", "$MDMSC05,1.0", "$MDMCG05,10", "$MDBAS05,0",
            "$MDMSK05,3", "$MDLAG05,2", "$MDFLG05,0,0,0,0,0"});
    SRowEditor editor = Editor(5);
    CFieldSet& f = editor.fields;
    f.SetText(kNameField, "Flow");
    f.SetText(kSlaveField, "2");
    f.SetText(kLowField, "-10");
    f.SetText(kHighField, "250\r\n");
    f.SetNumber(kFloatField, 1);
    f.SetNumber(kByteInverseField, 1);
    // Channels 0 and 2 marked: the mask 00000005.
    CPageTable& marks = editor.tables.front();
    EXPECT_TRUE(marks.ToggleCell(0, kFirstChannelColumn + 0));
    EXPECT_TRUE(marks.ToggleCell(0, kFirstChannelColumn + 2));
    EXPECT_FALSE(marks.ToggleCell(0, 0));  // the row index is no mark
    EXPECT_EQ(h.session.CommitRow(page, 0, 5, editor), "");
    // The row shows what went out before the terminal answers.
    EXPECT_EQ(Cells(5, Col::kName, Col::kHigh), (Blocks{"Flow", "2", "40001", "Keep Registers", "", "1.0", "-10", "250"}));
    // The register's state is not shown, and goes back as it was reported.
    EXPECT_EQ(AcceptAll(h),
              (Blocks{"%STARTCMD\r", "%mdmas05=2,40001,1,0,1.0,10,0,3,255,2,00000005\r", "%R05250\r", "%R37-10\r",
                      "%MDMSF05=0,0,1,0,1\r", "%N05" + EncodeUcs2Hex("Flow") + "\r", "%COMMITCMD\r",
                      "%DUMP_MODBUS_MASTER5\r"}));
    // Only that row is asked for: the page keeps every other row, and this one
    // until the terminal's answer replaces it.
    EXPECT_EQ(Cells(5, Col::kName, Col::kHigh), (Blocks{"Flow", "2", "40001", "Keep Registers", "", "1.0", "-10", "250"}));
    EXPECT_EQ(page.Cell(5, Col::kInterlock), "9");
    h.Feed({"$MDMAS05,3,40002,1,0"});
    EXPECT_EQ(Cells(5, Col::kName, Col::kRegister), (Blocks{"Flow", "3", "40002"}));

    // A coil sends its normal state; an interlock of the list goes as its number.
    editor = Editor(12);
    editor.fields.SetNumber(kTypeField, kCoil);
    editor.fields.SetNumber(kStateField, 0);
    editor.fields.SetNumber(kInterlockField, 7);
    ASSERT_EQ(page.RowEditError(0, 12, editor.fields), "");
    const CCommandList commands = page.CommitEditedRow(0, 12, editor);
    ASSERT_EQ(commands.size(), 8u);
    EXPECT_EQ(commands[1].text, "%mdmas12=,,0,0,,,,,7,,00000000\r");
    EXPECT_EQ(commands[7].text, "%DUMP_MODBUS_MASTER12\r");
    EXPECT_TRUE(commands[7].noWait);
    EXPECT_EQ(Cells(12, Col::kType, Col::kState), (Blocks{"Coils", "OFF"}));
}

TEST_F(FieldbusMbus, OkIsRefusedWithoutATypeOrWithASeparatorInAValue)
{
    h.Feed({"$MDMAS02,1,40001,8,0"});
    SRowEditor editor = Editor(2);
    EXPECT_EQ(editor.fields.Number(kTypeField), -1);  // "Invalid" names no type
    EXPECT_EQ(h.session.CommitRow(page, 0, 2, editor), "MB_NO_TYPE");
    editor.fields.SetNumber(kTypeField, kInput);
    for (std::string_view id : {kSlaveField, kRegisterField, kGainField, kStepField, kAdjustField, kAlarmMaskField,
                                kLagField}) {
        for (const char* text : {"1,5", "1 5"}) {
            SRowEditor bad = editor;
            bad.fields.SetText(id, text);
            EXPECT_EQ(h.session.CommitRow(page, 0, 2, bad), "MB_SEPARATOR") << id << " " << text;
            EXPECT_TRUE(page.CommitEditedRow(0, 2, bad).empty());
        }
    }
    // Names and limits travel alone and may hold both.
    editor.fields.SetText(kNameField, "Tank 1, top");
    editor.fields.SetText(kHighField, "1 000");
    EXPECT_EQ(page.RowEditError(0, 2, editor.fields), "");
    EXPECT_TRUE(h.TakeWritten().empty());
}

} // namespace
} // namespace orlan::test
