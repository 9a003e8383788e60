#include "sim/KnownCommands.h"

#include "sim/ConfigStore.h"
#include "sim/DeclaredCommands.h"
#include "sim/StoreRewrite.h"

#include <string>

namespace orlan {

namespace {

CommandSpec Setting(std::string_view pattern, CommandHandler handler = {})
{
    return {pattern, ECommandKind::Setting, std::move(handler), true};
}

// A setting command that takes nothing behind its name.
CommandSpec Action(std::string_view pattern, CommandHandler handler = {})
{
    return {pattern, ECommandKind::Setting, std::move(handler), false};
}

CommandSpec Query(std::string_view pattern, CommandHandler handler, bool takesArgs = false)
{
    return {pattern, ECommandKind::Query, std::move(handler), takesArgs};
}

CommandHandler Dump(std::vector<std::string_view> groups)
{
    return [groups = std::move(groups)](ISimConsole& console, const CommandCall&) {
        console.PrintGroups(groups);
        return ESimAnswer::None;
    };
}

CommandHandler Do(void (ISimConsole::*action)(), ESimAnswer answer)
{
    return [action, answer](ISimConsole& console, const CommandCall&) {
        (console.*action)();
        return answer;
    };
}

// The sensor-name query prints what a dump would print for these keys.
ESimAnswer PrintSensorNames(ISimConsole& console, const CommandCall&)
{
    for (const ConfigLine& line : console.Store().Lines()) {
        if (line.text.starts_with("$ISNAME") || line.text.starts_with("$ISSMH"))
            console.PrintLine(line.text);
    }
    return ESimAnswer::None;
}

ESimAnswer DumpModbusRow(ISimConsole& console, const CommandCall& call)
{
    if (call.args.empty() || call.args.size() > 2
        || call.args.find_first_not_of("0123456789") != std::string_view::npos)
        return ESimAnswer::Err;
    const int row = std::stoi(std::string(call.args));
    if (row > 31)
        return ESimAnswer::Err;
    console.PrintModbusRow(row);
    return ESimAnswer::None;
}

ESimAnswer SendPicture(ISimConsole& console, const CommandCall& call)
{
    console.SendPicture(call.args);
    return ESimAnswer::None;
}

// "%AINON0123": the listed channels are switched on.
ESimAnswer AnalogChannelsOn(ISimConsole& console, const CommandCall& call)
{
    if (call.args.empty() || call.args.find_first_not_of("0123") != std::string_view::npos)
        return ESimAnswer::Err;
    for (char channel : call.args)
        console.Store().Set("ADS", std::string("*ADC_EN ") + channel + ' ', std::string("*ADC_EN ") + channel + " 1");
    return ESimAnswer::Ok;
}

// Priority rows travel as entries 08 … 17 (control phone + 8), one mask per key.
CommandHandler RewritePriority(std::vector<std::string> keys)
{
    return [keys = std::move(keys)](ISimConsole& console, const CommandCall& call) {
        const std::vector<std::string_view> fields = SplitFields(call.args);
        if (fields.size() < keys.size() + 1 || fields[0].size() != 1 || fields[0][0] < '0' || fields[0][0] > '9')
            return ESimAnswer::Err;
        const std::string entry = std::to_string(fields[0][0] - '0' + 8);
        const std::string identity = (entry.size() < 2 ? "0" : "") + entry + ",";
        for (std::size_t i = 0; i < keys.size(); ++i)
            console.Store().Set("PRIOTB", keys[i] + identity, keys[i] + identity + std::string(fields[i + 1]));
        return ESimAnswer::Ok;
    };
}

// The MMS dump also prints the access point, which 3G data shares with GPRS.
ESimAnswer DumpMms(ISimConsole& console, const CommandCall&)
{
    console.PrintGroups({"MMS"});
    for (std::string_view key : {"$M2M_APN ", "$M2M_UID ", "$M2M_PWD "}) {
        if (const ConfigLine* line = console.Store().Find(key))
            console.PrintLine(line->text);
    }
    return ESimAnswer::None;
}

// Runs `handler` for rows 0 and 1 only (the inputs the 3G video settings
// name); other rows are accepted and change nothing more.
CommandHandler ForFirstInputs(CommandHandler handler)
{
    return [handler = std::move(handler)](ISimConsole& console, const CommandCall& call) {
        const std::vector<std::string_view> fields = SplitFields(call.args);
        if (fields.front() != "0" && fields.front() != "1")
            return ESimAnswer::Ok;
        return handler(console, call);
    };
}

std::vector<CommandSpec> BuildTable()
{
    auto in = [](std::string_view group) {
        return [group](std::string_view lineTemplate, int maxIndex = -1) {
            return RewriteLine(group, lineTemplate, maxIndex);
        };
    };
    const auto sys = in("SYS");
    const auto phone = in("PHONE");
    const auto gpio = in("GPIO");
    const auto ads = in("ADS");
    const auto tmp = in("TMP");
    const auto hum = in("HUM");
    const auto m2m = in("M2M");
    const auto mms = in("MMS");
    const auto modbus = in("MODBUS");

    return {
        // Session, batches and reads.
        Action("STARTCMD"),
        Action("COMMITCMD"),
        Query("DUMPS", Do(&ISimConsole::PrintSettings, ESimAnswer::None)),
        Query("DUMPR", Do(&ISimConsole::PrintStateAndEndMark, ESimAnswer::None)),
        Query("DUMPM", Dump({"M"})),
        Query("DUMP_SYS", Dump({"SYS"})),
        Query("DUMP_ROMSMS", Dump({"ROMSMS"})),
        Query("DUMP_PHONE", Dump({"PHONE"})),
        Query("DUMP_ADS", Dump({"ADS"})),
        Query("DUMP_GPIO", Dump({"GPIO"})),
        Query("DUMP_UPS", Dump({"UPS"})),
        Query("DUMP_UCMD", Dump({"UCMD"})),
        Query("DUMP_PRIOTB", Dump({"PRIOTB"})),
        Query("DUMP_TIMER", Dump({"TIMER"})),
        Query("DUMP_COUNTER", Dump({"COUNTER"})),
        Query("DUMP_TMP", Dump({"TMP"})),
        Query("DUMP_DS1", Dump({"DS1"})),
        Query("DUMP_HUM", Dump({"HUM"})),
        Query("DUMP_GSENSOR", Dump({"GSENSOR"})),
        Query("DUMP_GRAY", Dump({"GRAY"})),
        Query("DUMP_M2M", Dump({"M2M"})),
        Query("DUMP_HTTP", Dump({"HTTP"})),
        Query("DUMP_MMS", DumpMms),
        Query("DUMP_62056", Dump({"62056"})),
        // The register names and limits belong to the Modbus rows too.
        Query("DUMP_MODBUS", Dump({"MODBUS", "M"})),
        Query("DUMP_MODBUS_MASTER", DumpModbusRow, true),
        Action("ATF", Do(&ISimConsole::RestoreFixture, ESimAnswer::Ok)),
        Action("RST", Do(&ISimConsole::RebootAfterAnswer, ESimAnswer::Ok)),
        Action("SDSC", Do(&ISimConsole::TakePicture, ESimAnswer::Ok)),
        Query("MEMR", SendPicture, true),
        Action("LKEY"),
        Action("EKEY"),
        Query("ETEMPPORT", Do(&ISimConsole::PrintTemperatureLog, ESimAnswer::None), true),
        Query("E99?", PrintSensorNames),

        // Main parameters.
        Setting("UP", sys("$PARITY {v}")),
        Setting("MODEMSMSMD", sys("$MODEMSMODE {v}")),
        Setting("CC", sys("$CC {v}")),
        Setting("DAS", sys("$DAS {b}")),
        Setting("UB", sys("$BPS {v}")),
        Setting("DESC", sys("$DESC {v}")),
        Setting("PRTCS", sys("$PRTCS {b}")),
        Setting("PRTSP", sys("$PRTSP {b}")),
        Setting("SP", sys("$SPN {v}")),
        Setting("PIN", sys("$PINC {v}")),
        Setting("SIGNALA", sys("$SIGNALA {b}")),
        Setting("RPLERR", sys("$RPLERR {b}")),
        Setting("RPLSUC", sys("$RPLSUC {b}")),
        Setting("RSILOW", sys("$CSQLOW {v}")),
        Setting("PUK", sys("$PUKC {v}")),
        Setting("CBAND", sys("$GSMBAND {v}")),
        Setting("FWDSMS", sys("$FWDSMS {b}")),
        Setting("CHECKBALANCE", RewriteLines("SYS", {"$CKBSP {0}", "$CKBCD {1}"})),

        // Alarm parameters.
        Setting("IOAT", RewriteLines("SYS", {"$IOAT {v}", "$IAT {v}"})),
        Setting("DRPTMP", sys("$DRPTMP {b}")),
        Setting("DRPTID", sys("$DRPTID {b}")),
        Setting("DRPDEF", sys("$DRPDEF {b}")),
        Setting("DRPRSI", sys("$DRPRSI {b}")),
        Setting("DRPDIN", sys("$DRPDIN {b}")),
        Setting("DRPMEM", sys("$DRPMEM {b}")),
        Setting("DRPBAT", sys("$DRPBAT {b}")),
        Setting("DRPETMP", sys("$DRPETP {b}")),
        Setting("DINCDRP", sys("$DRPCNT {b}")),
        Setting("AINDRP", RewriteDigits("ADS", Numbered("$AINDRP", 4), '1')),

        // Power supply, buzzer, UPS.
        Setting("BUZEN", sys("$IBUZ {b}")),
        Setting("BUZT", sys("$BUZZERT {v}")),
        Setting("STUPSEN", RewriteLine("UPS", "$STUPSEN {b}")),
        Setting("STUPSSND", RewriteLine("UPS", "$STUPSSND {b}")),
        Setting("STUPSAS", RewriteLine("UPS", "$STUPSAS {v}")),
        Setting("STUPSRATE", RewriteLine("UPS", "$STUPSRATE {v}")),
        Setting("STUPSBPS", RewriteLine("UPS", "$STUPSBPS {v}")),

        // Serial data by SMS.
        Setting("SR#", phone("$SR{n} {v}", 7)),

        // User commands.
        Setting("U##", RewriteLine("UCMD", "$USERCMD{n} {v}", 5)),
        Setting("Y##", RewriteLine("UCMD", "$SYSCMD{n} {v}", 5)),

        // Phones, message texts, channel names.
        Setting("CS#", phone("$CS{n} {v}", 9)),
        Setting("SOS#", phone("$SOS{n} {v}", 0)),
        Setting("S##", RewriteLine("ROMSMS", "$SMS{n} {v}", 25)),
        Setting("ADSMSHEADEN", RewriteLine("ROMSMS", "$AINSMH {b}")),
        Setting("PREVSMS"),
        Setting("I##", gpio("$DINAME{n} {v}", 3)),
        Setting("O##", gpio("$DONAME{n} {v}", 7)),
        Setting("A##", ads("$ADNAME{n} {v}", 3)),
        Setting("E##", RewriteLine("DS1", "$ISNAME{n}: {v}", 5)),

        // Priority tables.
        Setting("BASEPRIO=", RewritePriority({"$PRIOSYS"})),
        Setting("DINPRIO=", RewritePriority({"$PRIODINSMS", "$PRIODINRING"})),
        Setting("WINPRIO=", RewritePriority({"$PRIOWINSMS", "$PRIOWINRING"})),
        Setting("AINPRIO=", RewritePriority({"$PRIOAINSMS"})),

        // Timers and the interlock table.
        Setting("MTIMER#", RewriteLines("TIMER", {"$TIMERH{n} {0}", "$TIMERM{n} {1}", "$TIMERT{n} {2}"}, 5)),
        Setting("MSPAN#", RewriteLines("TIMER", {"$TSPANM{n} {0}", "$TSPANT{n} {1}"}, 3)),
        Setting("SSPAN#", RewriteLines("TIMER", {"$TSSPANM{n} {0}", "$TSSPANT{n} {1}"}, 3)),
        Setting("MDATE#",
                RewriteLines("TIMER", {"$TDATEW{n} {0}", "$TDATEH{n} {1}", "$TDATEM{n} {2}", "$TDATET{n} {3}"}, 6)),
        Setting("ILOCK", RewriteLine("TIMER", "$ILOCK {r},{1},{2}", 23)),

        // Digital inputs and outputs.
        Setting("DINURG", RewriteDigits("GPIO", Numbered("$DINURG", 4), '1')),
        Setting("DINSND", RewriteDigits("GPIO", Numbered("$DINSND", 4), '1')),
        Setting("IOTP", [] {
            std::vector<std::string> types = Numbered("$ITP", 4);
            for (std::string& output : Numbered("$OTP", 8))
                types.push_back(std::move(output));
            return RewriteDigits("GPIO", std::move(types), '4');
        }()),

        // Linkage.
        Setting("IOOC", gpio("$IOOC {v}")),
        Setting("IOOA#", gpio("$OAS{n} {v}", 7)),

        // Input timing and input counters.
        Setting("IOAS#", gpio("$DINAS {n},{1}", 3)),
        Setting("IOLS#", gpio("$DINLS {n},{1}", 3)),
        Setting("DINDLY#", gpio("$DINDLY {n},{1}", 3)),
        Setting("DINCSET#", gpio("$DINCTVALV{n} {1}", 3)),
        Setting("DINCUNITV#", gpio("$DINCTUNTV{n} {1}", 3)),
        Setting("DINCUNITM#", gpio("$DINCTMAXV{n} {1}", 3)),
        Setting("DINCADJ#", gpio("$DINCTADJV{n} {1}", 3)),
        Setting("DINCIOC#", gpio("$DINCTIOOC{n} {1}", 3)),
        Setting("C##", gpio("$DINCUNITS{n} {v}", 3)),

        // Time counters.
        Setting("IOCCT#", RewriteLine("COUNTER", "$COUNTER_CT{n} {1}", 1)),
        Setting("IOCNAT=", RewriteLine("COUNTER", "$COUNTER_AT {b}")),
        Setting("IOCU#", RewriteLine("COUNTER", "$COUNTER_UN{n} {1}", 1)),
        Setting("IOCUT#", RewriteLine("COUNTER", "$COUNTER_UT{n} {1}", 1)),
        Setting("IOCRPH#", RewriteLine("COUNTER", "$COUNTER_RPH{n} {1}", 1)),
        Setting("IOCRPM#", RewriteLine("COUNTER", "$COUNTER_RPM{n} {1}", 1)),
        Setting("IOCST#", RewriteLine("COUNTER", "$COUNTER_UST{n} {1}", 1)),

        // Wireless zones (zone numbers of the on/off commands are hexadecimal).
        Setting("WSON", gpio("$WINEND{x} |1", 11)),
        Setting("WSOFF", gpio("$WINEND{x} |0", 11)),
        Setting("WSSNDON", gpio("$WINSND{x} |1", 11)),
        Setting("WSSNDOFF", gpio("$WINSND{x} |0", 11)),
        Setting("WINURG", gpio("$WINURG{r} {1}", 11)),
        Setting("WINZS", gpio("$WINZS{r} {1}", 11)),
        Setting("WSLDO", gpio("$WINLDO{r} {1}", 11)),

        // 3G input alarm channels: fields of the input's "$ZONE_DIN" line.
        // Inputs 0 and 1 also show on the 3G video page ("$3GS_DINVPC0 1").
        Setting("IOVPC", AllOf({RewriteListField("GPIO", "$ZONE_DIN {r},", 0, "{1}", 3),
                                ForFirstInputs(mms("$3GS_DINVPC{r} {1}"))})),
        Setting("IOMMS", RewriteListField("GPIO", "$ZONE_DIN {r},", 1, "{1}", 3)),
        Setting("IOVCR", RewriteListField("GPIO", "$ZONE_DIN {r},", 2, "{1}", 3)),
        Setting("IODVR", AllOf({RewriteListField("GPIO", "$ZONE_DIN {r},", 2, "{1}", 3),
                                ForFirstInputs(mms("$3GS_DINVCR{r} {1}"))})),
        Setting("IOVCH", AllOf({RewriteListField("GPIO", "$ZONE_DIN {r},", 3, "{1}", 3),
                                ForFirstInputs(mms("$3GS_DINVCH{r} {1}"))})),

        // Analog inputs; the first three thresholds also show in the extended list.
        Setting("AIN#H", AllOf({ads("$ADINH{n} {v}", 3), RewriteListField("ADS", "$AINEXT{n} ", 0, "{v}", 3)})),
        Setting("AIN#L", AllOf({ads("$ADINL{n} {v}", 3), RewriteListField("ADS", "$AINEXT{n} ", 1, "{v}", 3)})),
        Setting("AIN#OS", AllOf({ads("$ADINOT{n} {v}", 3), RewriteListField("ADS", "$AINEXT{n} ", 2, "{v}", 3)})),
        Setting("AIN#SC", ads("$ASCALE{n} {v}", 3)),
        Setting("AIN#ZE", ads("$ADZERO{n} {v}", 3)),
        Setting("AIN#ST", ads("$ADINST{n} {v}", 3)),
        Setting("AIN#RH", ads("$ADINRH{n} {v}", 3)),
        Setting("AIN#RL", ads("$ADINRL{n} {v}", 3)),
        Setting("AIN#HS", RewriteListField("ADS", "$AINEXT{n} ", 3, "{v}", 3)),
        Setting("AIN#LS", RewriteListField("ADS", "$AINEXT{n} ", 4, "{v}", 3)),
        Setting("AIN#LAGS", RewriteListField("ADS", "$AINEXT{n} ", 5, "{v}", 3)),
        Setting("AIN#HOC1", RewriteListField("ADS", "$AINOOC{n} ", 0, "{v}", 3)),
        Setting("AIN#LOC1", RewriteListField("ADS", "$AINOOC{n} ", 1, "{v}", 3)),
        Setting("AIN#HOC2", RewriteListField("ADS", "$AINOOC{n} ", 2, "{v}", 3)),
        Setting("AIN#LOC2", RewriteListField("ADS", "$AINOOC{n} ", 3, "{v}", 3)),
        Setting("AINURG", RewriteDigits("ADS", Numbered("$AINURG", 4), '1')),
        Setting("AINSND", RewriteDigits("ADS", Numbered("$AINSND", 4), '1')),
        Setting("AINON", AnalogChannelsOn),
        Setting("AINOFF#", ads("*ADC_EN {n} |0", 3)),
        // Four type digits from the page, "channel,type" from the calibration.
        Setting("AINTP", [digits = RewriteDigits("ADS", Numbered("$AINTPE", 4), '1'),
                          single = ads("$AINTPE{r} {1}", 3)](ISimConsole& console, const CommandCall& call) {
            return call.args.find(',') == std::string_view::npos ? digits(console, call) : single(console, call);
        }),

        // Internal and external temperature sensors.
        Action("TMPON", tmp("*TMP100_EN |1")),
        Action("TMPOFF", tmp("*TMP100_EN |0")),
        Setting("TMPIH", tmp("$TMPIH{v}")),
        Setting("TMPIL", tmp("$TMPIL{v}")),
        Setting("ETEMPH#=", RewriteListField("DS1", "$ETEMP{n} ", 1, "{v}", 5)),
        Setting("ETEMPL#=", RewriteListField("DS1", "$ETEMP{n} ", 2, "{v}", 5)),
        Setting("ETEMPB#=", RewriteListField("DS1", "$ETEMP{n} ", 3, "{v}", 5)),
        Setting("ETEMPOS#=", RewriteListField("DS1", "$ETEMP{n} ", 4, "{v}", 5)),
        Setting("ETEMPAS#=", RewriteListField("DS1", "$ETEMP{n} ", 5, "{v}", 5)),
        Setting("ETEMPRS#=", RewriteListField("DS1", "$ETEMP{n} ", 6, "{v}", 5)),
        Setting("ETEMPDLY#=", RewriteListField("DS1", "$ETEMP{n} ", 7, "{v}", 5)),
        Setting("ETEMPURG#=", RewriteListField("DS1", "$ETEMP{n} ", 8, "{v}", 5)),
        Setting("ETEMPSND#=", RewriteListField("DS1", "$ETEMP{n} ", 9, "{v}", 5)),
        Setting("ETEMPEN#=", RewriteListField("DS1", "$ETEMP{n} ", 10, "{v}", 5)),

        // Humidity, motion and encoder sensors.
        Setting("HUMB", hum("$HUMB {v}")),
        Setting("HUMH", hum("$HUMH {v}")),
        Setting("HUML", hum("$HUML {v}")),
        Setting("HUMAS", hum("$HUMAS {v}")),
        Setting("HUMRS", hum("$HUMRS {v}")),
        Setting("HUMDLY", hum("$HUMDLY {v}")),
        Setting("HUMOS", hum("$HUMOS {v}")),
        Setting("HUMEN", hum("$HUMEN {b}")),
        Setting("HUMSND", hum("$HUMSND {b}")),
        Setting("HUMURG", hum("$HUMURG {b}")),
        Setting("HUMUPS", hum("$HUMUPS {v}")),
        Setting("HUMIH", hum("$HUMIH{v}")),
        Setting("HUMIL", hum("$HUMIL{v}")),
        Setting("GSENSORVPC", RewriteLine("GSENSOR", "$GSENSORVPC {b}")),
        Setting("GSENSORDVR", RewriteLine("GSENSOR", "$GSENSORVCR {b}")),
        Setting("GSENSORVCH", RewriteLine("GSENSOR", "$GSENSORVCH {v}")),
        Setting("GSENSORMIN", RewriteLine("GSENSOR", "$GSENSORMIN {v}")),
        Setting("GSENSORSTEP", RewriteLine("GSENSOR", "$GSENSORSTEP {v}")),
        Setting("GRAYRANGE", RewriteLines("GRAY", {"$GRAYL {0}", "$GRAYH {1}"})),
        Setting("GRAYSTEP", RewriteLine("GRAY", "$GRAYSTEP {v}")),
        Setting("GRAYOFFSET", RewriteLine("GRAY", "$GRAYADJ {v}")),
        Setting("GRAYBITS", RewriteLine("GRAY", "$GRAYBITS {v}")),
        Setting("GRAYACCS", RewriteLine("GRAY", "$GRAYACCS {v}")),
        Setting("GRAYTIMER", RewriteLine("GRAY", "$GRAYTIMER {v}")),
        Setting("GRAYDETT", RewriteLine("GRAY", "$GRAYDETT {v}")),
        Setting("GRAYEVENT", RewriteLines("GRAY", {"$GRAYEVENTCNT {0}", "$GRAYEVENTMIN {1}"})),

        // GPRS and its data centres.
        Setting("M2MDTSIP#=", m2m("$M2MD_SVR{n} {v}", 3)),
        Setting("M2MDTSPT#=", m2m("$M2MD_PT{n} {v}", 3)),
        Setting("M2MDTSPO#=", m2m("$M2MD_PRO{n} {v}", 3)),
        Setting("M2MDTSTP#=", m2m("$M2MD_MODE{n} {v}", 3)),
        Setting("M2MDTSTO#=", RewriteLines("M2M", {"$M2MD_IDLT{n} {0}", "$M2MD_REPT{n} {1}", "$M2MD_HRTT{n} {2}"}, 3)),

        // HTTP, e-mail, 3G video, MMS and camera.
        Setting("EM#", mms("$EM{n} {v}", 1)),
        Setting("SYSSMTP",
                RewriteLines("MMS", {"$SMTP_SVR {0}", "$SMTP_PORT {1}", "$SMTP_UID {2}", "$SMTP_PWD {3}", "$SMTP_FROM {4}"})),
        Setting("GPSGIS", RewriteLines("MMS", {"$3GS_GISS {0}", "$3GS_GISP {1}"})),
        Setting("FTPSVR#=", RewriteLines("MMS", {"$SYS_FTPSVR{n} {0}", "$SYS_FTPPOT{n} {1}"}, 0)),
        Setting("MMSC", RewriteLines("MMS", {"$MMS_SCU{0}", "$MMS_SCP{1}"})),
        Setting("DSCFMT", RewriteLines("MMS", {"$MMS_PSZ{0}", "$MMS_PBR{1}", "$MMS_PWB{2}"})),

        // Modbus master, register names and limits, second serial port.
        Setting("MDMAS##=", RewriteLines("MODBUS",
                                         {"$MDMAS{nn},{0},{1},{2},{3}", "$MDMSC{nn},{4}", "$MDMCG{nn},{5}",
                                          "$MDBAS{nn},{6}", "$MDMSK{nn},{7}", "$MDLKO{nn},{8}", "$MDLAG{nn},{9}",
                                          "$MDMTX{nn},{10}"},
                                         31)),
        Setting("MDMSF##=", modbus("$MDFLG{nn},{0},{1},{2},{3},{4}", 31)),
        Setting("R##", RewriteLine("M", "$REG{n} {v}", 63)),
        Setting("N##", RewriteLine("M", "$RNAME{n} {v}", 31)),
        Setting("UART2CP", RewriteLines("SYS", {"$UART2BPS {0}", "$UART2PARITY {1}"})),

        // Meter reading.
        Setting("P62056UT", RewriteLine("62056", "$P62056POOLT {v}")),
        Setting("P62056HT", RewriteLine("62056", "$P62056HEART {v}")),
        Setting("P62056ERRT", RewriteLine("62056", "$P62056ERRUP {v}")),
    };
}

} // namespace

const std::vector<CommandSpec>& KnownCommands()
{
    static const std::vector<CommandSpec> table = [] {
        std::vector<CommandSpec> rows = BuildTable();
        std::vector<CommandSpec> declared = DeclaredCommands(rows);
        rows.insert(rows.end(), declared.begin(), declared.end());
        return rows;
    }();
    return table;
}

} // namespace orlan
