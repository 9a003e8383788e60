// The built-in configuration must carry every dump key the tool's pages read,
// with the value where the page looks for it.
#include "SimTestSupport.h"

#include "sim/CommandTable.h"
#include "sim/KnownCommands.h"
#include "pages/AllPages.h"
#include "pages/Setting.h"

#include <algorithm>
#include <set>

namespace orlan::test {
namespace {

struct KeyLayout {
    const char* key; // '#' stands for a decimal digit
    int valueAt;     // where the value starts; 0: only the key is checked
};

// Keys the pages parse themselves (shared and composite lines); the keys of
// plain settings come from their declarations.
constexpr KeyLayout kKeys[] = {
    // Main parameters, alarm parameters, buzzer, serial data by SMS, second UART.
    {"$PARITY", 8}, {"$MODEMSMODE ", 12}, {"$CC", 4}, {"$DAS ", 5}, {"$BPS", 5}, {"$DESC ", 6}, {"$PRTCS ", 7},
    {"$PRTSP ", 7}, {"$SPN", 5}, {"$PINC", 6}, {"$SIGNALA ", 9}, {"$RPLERR ", 8}, {"$RPLSUC ", 8},
    {"$CSQLOW ", 8}, {"$PUKC ", 6}, {"$GSMBAND", 9}, {"$FWDSMS ", 8}, {"$CKBSP ", 7}, {"$CKBCD ", 7},
    {"$SMSC ", 6}, {"$FWDKEY ", 8}, {"$MODEM_FWDSPAN ", 15}, {"$DRPTMP", 8}, {"$DRPTID", 8}, {"$DRPDEF", 8},
    {"$DRPRSI", 8}, {"$DRPMEM", 8}, {"$DRPBAT", 8}, {"$DRPDIN", 8}, {"$DRPETP", 8}, {"$DRPCNT", 8},
    {"$AINDRP#", 9}, {"$MMS_ETC", 8}, {"$MMS_ETM", 8}, {"$IBUZ ", 6}, {"$BUZZERT ", 9}, {"$SR#", 5},
    // Phones, messages, names, user commands.
    {"$CS#", 5}, {"$SOS#", 6}, {"$PRIOSRABI", 0}, {"$EM#", 5}, {"$SMS#", 0}, {"$DINAME#", 0}, {"$DONAME#", 0},
    {"$ADNAME#", 0}, {"$ISNAME#:", 10}, {"$SYSCMD#", 0}, {"$USERCMD#", 0},
    // Priority tables.
    {"$PRIOSYS##,", 11}, {"$PRIODINSMS##,", 14}, {"$PRIODINRING##,", 15}, {"$PRIOWINSMS##,", 14},
    {"$PRIOWINRING##,", 15}, {"$PRIOAINSMS##,", 14},
    // Timers and the interlock table.
    {"$TIMERH#", 9}, {"$TIMERM#", 9}, {"$TIMERT#", 9}, {"$TSPANM#", 9}, {"$TSPANT#", 9}, {"$TSSPANM#", 10},
    {"$TSSPANT#", 10}, {"$TDATEH#", 9}, {"$TDATEM#", 9}, {"$TDATEW#", 9}, {"$TDATET#", 9}, {"$ILOCK", 0},
    // Digital inputs and outputs, linkage, timing, counters, zones, 3G channels, power.
    {"$ITP#", 0}, {"$OTP#", 6}, {"*IOI", 0}, {"*IOO", 0}, {"$DINURG#", 9}, {"$DINSND#", 9}, {"$DINCNT#", 9},
    {"$IOOC", 6}, {"$OAS#", 6}, {"$DINAS", 0}, {"$DINLS", 0}, {"$DINDLY", 0}, {"$DINCTVALV#", 12},
    {"$DINCTUNTV#", 12}, {"$DINCTMAXV#", 12}, {"$DINCTADJV#", 12}, {"$DINCTIOOC#", 12}, {"$DINCUNITS#", 0},
    {"$COUNTER_CT#", 13}, {"$COUNTER_UN#", 13}, {"$COUNTER_UT#", 13}, {"$COUNTER_VA#", 13},
    {"$COUNTER_RPH#", 14}, {"$COUNTER_RPM#", 14}, {"$COUNTER_UST#", 14}, {"$COUNTER_AT", 12}, {"$WINEND#", 0},
    {"$WINSND#", 0}, {"$WINURG#", 0}, {"$WINCOD#", 0}, {"$WINLDO#", 0}, {"$WINZS#", 0}, {"$WINVPC#", 0},
    {"$ZONE_WIN", 0}, {"$ZONE_DIN", 10},
    // Analog inputs.
    {"$ADINH#", 8}, {"$ADINL#", 8}, {"$ADINRH#", 9}, {"$ADINRL#", 9}, {"$ADINST#", 9}, {"$ADINOT#", 9},
    {"*AINC#", 7}, {"$AINURG#", 9}, {"$AINSND#", 9}, {"$AINTPE#", 9}, {"*ADC_EN #", 10}, {"$AINVER", 8},
    {"$AINEXT#", 9}, {"$AINOOC#", 9},
    // Temperature, humidity, motion and encoder sensors.
    {"$TMPIH", 6}, {"$TMPIL", 6}, {"$ETEMP#", 8}, {"$EXTEMPUT", 10}, {"$EXTEMPGT", 10}, {"$EXTEMPST", 10},
    {"$EXTEMPSS", 10}, {"$EXTEMPUS", 10}, {"$EXTEMPUE", 10}, {"$HUMB", 6}, {"$HUMH", 6}, {"$HUML", 6},
    {"$HUMC", 6}, {"$HUMAS", 7}, {"$HUMRS", 7}, {"$HUMDLY", 8}, {"$HUMOS", 7}, {"$HUMEN", 7}, {"$HUMSND", 8},
    {"$HUMURG", 8}, {"$HUMUPS", 8}, {"$HUMIH", 6}, {"$HUMIL", 6}, {"$GSENSORVPC", 12}, {"$GSENSORVCR", 12},
    {"$GSENSORVCH", 12}, {"$GSENSORMIN", 12}, {"$GSENSORSTEP", 13}, {"$GRAYL", 7}, {"$GRAYH", 7},
    {"$GRAYSTEP", 10}, {"$GRAYADJ", 9}, {"$GRAYBITS", 10}, {"$GRAYACCS", 10}, {"$GRAYTIMER", 11},
    {"$GRAYDETT", 10}, {"$GRAYEVENTCNT", 14}, {"$GRAYEVENTMIN", 14}, {"$GRAYREPHS", 11}, {"$GRAYREPHE", 11},
    {"$GRAYVALUEV", 12}, {"$GRAYVALUEB", 12}, {"$GRAYVALUEG", 12},
    // GPRS, HTTP, e-mail, 3G video, MMS.
    {"$M2M_QEXNTP ", 12}, {"$M2M_APN ", 9}, {"$M2M_UID ", 9}, {"$M2M_PWD ", 9}, {"$M2M_EN ", 8},
    {"$M2M_DNS", 9}, {"$M2M_IDT", 9}, {"$M2M_TID", 9}, {"$M2M_CTO", 9}, {"$NTP_", 0}, {"$M2MD_SVR#", 11},
    {"$M2MD_PT#", 10}, {"$M2MD_PRO#", 11}, {"$M2MD_MODE#", 12}, {"$M2MD_IDLT#", 12}, {"$M2MD_REPT#", 12},
    {"$M2MD_HRTT#", 12}, {"$M2M_HTTP_URL", 14}, {"$M2M_HTTP_SIM", 14}, {"$M2M_HTTP_PWD", 14},
    {"$M2M_HTTP_GID", 14}, {"$SMTP_SVR", 10}, {"$SMTP_UID", 10}, {"$SMTP_PWD", 10}, {"$SMTP_PORT", 11},
    {"$SMTP_FROM", 11}, {"$3GS_GISS", 10}, {"$3GS_GISP", 10}, {"$3GS_GPST", 10}, {"$3GS_VCHN", 10},
    {"$3GS_VFMT", 10}, {"$3GS_VCRS", 10}, {"$3GS_ALARM_MMS", 15}, {"$3GS_ALARM_VCALL", 17},
    {"$3GS_ALARM_VPR", 15}, {"$3GS_DINVPC0 ", 13}, {"$3GS_DINVCR0 ", 13}, {"$3GS_DINVPC1 ", 13},
    {"$3GS_DINVCR1 ", 13}, {"$3GS_DINVCH0", 13}, {"$3GS_DINVCH1", 13}, {"$SYS_FTPSVR0", 13},
    {"$SYS_FTPPOT0", 13}, {"$MMS_SCU", 8}, {"$MMS_SCP", 8}, {"$MMS_GAT", 8}, {"$MMS_APN", 8}, {"$MMS_UID", 8},
    {"$MMS_PWD", 8}, {"$MMS_PXY", 8}, {"$MMS_NAP", 8}, {"$MMS_PSZ", 8}, {"$MMS_PWB", 8}, {"$MMS_PMD", 8},
    {"$MMS_PBR", 8}, {"$MMS_PCT", 8}, {"$MMS_PTR", 8}, {"$MMSACC", 8}, {"$MMSTCC", 8}, {"$MMSSMSCC", 10},
    {"$MMSALARM", 10}, {"$MMSSMSRP", 10}, {"$MMSSMSHC", 10}, {"$MMSEXTMMSFST", 14},
    // Modbus master, register names and limits, meter reading.
    {"$MDMAS##,", 0}, {"$MDMSC##,", 0}, {"$MDMCG##,", 0}, {"$MDFLG##,", 0}, {"$MDMSK##,", 0}, {"$MDLKO##,", 0},
    {"$MDBAS##,", 0}, {"$MDLAG##,", 0}, {"$MDMTX##,", 0}, {"$RNAME#", 0}, {"$REG#", 0}, {"$P62056POOLT", 13},
    {"$P62056HEART", 13}, {"$P62056ERRUP", 13},
};

bool IsSeparator(char c)
{
    return c == ' ' || c == ',' || c == ':';
}

// Every key a page reads: the list above and the declared settings' keys,
// with the value where the declaration's routing row takes it.
std::vector<std::pair<std::string, int>> AllKeys()
{
    std::vector<std::pair<std::string, int>> keys;
    for (const KeyLayout& layout : kKeys)
        keys.emplace_back(layout.key, layout.valueAt);
    for (const auto& page : CreateAllPages()) {
        for (const SSetting& setting : page->Settings()) {
            for (const std::string& key : setting.keys) {
                const bool inTable = std::any_of(DumpRoutes().begin(), DumpRoutes().end(),
                                                 [&key](const SDumpRoute& row) { return row.key == key; });
                if (inTable)
                    continue;  // listed above with the table's position
                const SDumpRoute route = SettingRoute(setting, key, page->Info().className);
                // A switch's key carries its value: the line is "$BATEN 1" or "$BATEN 0".
                if (route.form == EHandOver::Switch)
                    keys.emplace_back(key.substr(0, key.size() - 1), static_cast<int>(key.size()) - 1);
                else
                    keys.emplace_back(key, route.position);
            }
        }
    }
    return keys;
}

TEST(FixtureKeys, EveryDumpKeyIsPresentWithItsValueInPlace)
{
    const CConfigStore store = DefaultFixture();
    for (const auto& [keyText, position] : AllKeys()) {
        const std::string_view key = keyText;
        const KeyLayout layout{keyText.c_str(), position};
        bool found = false;
        for (const ConfigLine& line : store.Lines()) {
            if (!PatternMatches(key, line.text))
                continue;
            found = true;
            if (layout.valueAt == 0)
                continue;
            const auto valueAt = static_cast<std::size_t>(layout.valueAt);
            // A value is there, and between key and value stands one separator at most.
            EXPECT_GT(line.text.size(), valueAt) << line.text;
            EXPECT_LE(valueAt, key.size() + 1) << key;
            if (valueAt == key.size() + 1) {
                EXPECT_TRUE(IsSeparator(line.text[key.size()])) << line.text;
            }
            if (line.text.size() > valueAt) {
                EXPECT_FALSE(IsSeparator(line.text[valueAt])) << line.text;
            }
        }
        EXPECT_TRUE(found) << "no line for " << key;
    }
}

TEST(FixtureKeys, RowTablesAreComplete)
{
    const CConfigStore store = DefaultFixture();
    auto has = [&](const std::string& prefix) { return store.Find(prefix) != nullptr; };
    for (int slot = 0; slot <= 25; ++slot)
        EXPECT_TRUE(has("$SMS" + std::to_string(slot) + " ")) << slot;
    for (int row = 0; row <= 9; ++row) {
        EXPECT_TRUE(has("$CS" + std::to_string(row) + " ")) << row;
        EXPECT_TRUE(has("$PRIOSYS" + std::to_string(row + 8 < 10 ? 0 : 1) + std::to_string((row + 8) % 10) + ","));
    }
    for (int zone = 0; zone <= 11; ++zone)
        EXPECT_TRUE(has("$WINEND" + std::to_string(zone) + " ")) << zone;
    for (int reg = 0; reg <= 63; ++reg)
        EXPECT_TRUE(has("$REG" + std::to_string(reg) + " ")) << reg;
    for (int sensor = 0; sensor <= 5; ++sensor)
        EXPECT_TRUE(has("$ETEMP" + std::to_string(sensor) + " ")) << sensor;
}

TEST(FixtureKeys, NoLineLooksLikeAStatusOrEndLine)
{
    // The tool reacts to these texts anywhere in a line.
    const char* const statusTexts[] = {"DUMPR", "CMD OK", "CMD ERR", "Please wait", "Login", "please input",
                                       "$IMAGE", "$:", "Press ", "setup mode", "Working mode"};
    const CConfigStore fixture = DefaultFixture();
    for (const ConfigLine& line : fixture.Lines()) {
        for (const char* status : statusTexts)
            EXPECT_EQ(line.text.find(status), std::string::npos) << line.text;
    }
}

TEST(FixtureKeys, EveryGroupHasLinesAndADumpCommand)
{
    const CConfigStore store = DefaultFixture();
    std::set<std::string> lines;
    for (const ConfigLine& line : store.Lines())
        EXPECT_TRUE(lines.insert(line.text).second) << "twice: " << line.text;
    for (std::string_view group : CConfigStore::KnownGroups()) {
        EXPECT_FALSE(store.GroupLines(group).empty()) << group;
        const std::string request = group == "M" ? "DUMPM" : "DUMP_" + std::string(group);
        const CommandMatch match = MatchCommand(KnownCommands(), request);
        ASSERT_NE(match.spec, nullptr) << request;
        EXPECT_EQ(match.spec->pattern, request);
    }
}

} // namespace
} // namespace orlan::test
