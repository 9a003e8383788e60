#pragma once
// Sections and keys of the catalogue's common sections. The main window, the
// progress window and the shared lists look their texts up through these
// names, and the shipped catalogues are checked against kCommonLabelGroups,
// so a key added here must be added to every gsm.ini as well.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace orlan {

inline constexpr std::string_view kSectionVersion = "version";
inline constexpr std::string_view kSectionSysBtn = "SYSBTN";
inline constexpr std::string_view kSectionSysMsg = "SYSMSG";
inline constexpr std::string_view kSectionButtons = "Buttons";
inline constexpr std::string_view kSectionSysChar = "SYSCHAR";
inline constexpr std::string_view kSectionTimerActs = "TIMERACTS";
inline constexpr std::string_view kSectionDinTypes = "DINTYPES";
inline constexpr std::string_view kSectionDoutTypes = "DOUTTYPES";
inline constexpr std::string_view kSectionTabs = "TABS";

// [version]: optional; an empty or missing title keeps kDefaultHeaderTitle.
inline constexpr std::string_view kKeySysTitle = "SysTitle";
inline constexpr std::string_view kDefaultHeaderTitle = "Sms alarm system";

// [SYSBTN]: main window buttons and link-settings labels.
inline constexpr std::array<std::string_view, 10> kMainWindowButtonKeys = {
    "SETUP", "RELOAD", "RESTART", "SAVE", "EXEC", "DEFAULTS", "RS232", "BPS", "PWD", "PARITY"};

// [SYSMSG]: terminal state texts of the status area, read once at start-up.
inline constexpr std::string_view kMsgRegisting = "REGISTING";
inline constexpr std::string_view kMsgPoweruping = "POWERUPING";
inline constexpr std::string_view kMsgStarting = "STARTING";
inline constexpr std::string_view kMsgWorkMode = "WORK_MODE";
inline constexpr std::string_view kMsgSetupingMode = "SETUPING_MODE";
inline constexpr std::string_view kMsgLoginOk = "LOGIN_OK";
inline constexpr std::string_view kMsgReloadOk = "RELOAD_OK";
inline constexpr std::string_view kMsgInitCamera = "INIT_CAMERA";
inline constexpr std::array<std::string_view, 8> kTerminalStateKeys = {
    kMsgRegisting, kMsgPoweruping, kMsgStarting, kMsgWorkMode,
    kMsgSetupingMode, kMsgLoginOk, kMsgReloadOk, kMsgInitCamera};

// [SYSMSG]: message boxes of the main window and the user command page.
inline constexpr std::string_view kMsgNoUsb = "NO_USB";
inline constexpr std::string_view kMsgSetupMode = "SETUP_MODE";
inline constexpr std::string_view kMsgSaveProfileOk = "SAVE_PROFILE_OK";
inline constexpr std::string_view kMsgHaveLogin = "HAVE_LOGIN";
inline constexpr std::string_view kMsgInvalidCmd = "INVALID_CMD";
inline constexpr std::array<std::string_view, 5> kMessageBoxKeys = {
    kMsgNoUsb, kMsgSetupMode, kMsgSaveProfileOk, kMsgHaveLogin, kMsgInvalidCmd};

// [SYSMSG]: progress window texts.
inline constexpr std::string_view kMsgProgress = "PROGRESS";
inline constexpr std::string_view kMsgReading = "READING";
inline constexpr std::string_view kMsgProcessing = "PROCESSING";
inline constexpr std::array<std::string_view, 3> kProgressKeys = {kMsgProgress, kMsgReading, kMsgProcessing};

// [Buttons]: captions shared by pages and dialogs. Key case does not matter
// to the catalogue ("Save" and "SAVE" are one key).
inline constexpr std::string_view kBtnSave = "Save";
inline constexpr std::string_view kBtnReset = "Reset";
inline constexpr std::string_view kBtnApply = "Apply";
inline constexpr std::string_view kBtnOk = "OK";
inline constexpr std::string_view kBtnCancel = "CANCEL";
inline constexpr std::string_view kBtnDefault = "DEFAULT";
inline constexpr std::string_view kBtnEdit = "EDIT";
inline constexpr std::string_view kBtnLoadFactory = "LOADF";
inline constexpr std::string_view kBtnCommRecv = "CommRecv";
inline constexpr std::string_view kBtnCommSent = "CommSent";
inline constexpr std::string_view kBtnCommSend = "CommBtnSend";
inline constexpr std::string_view kBtnCommClear = "CommBtnClr";
inline constexpr std::string_view kBtnCommAutoClear = "CommBtnAutoClr";
inline constexpr std::array<std::string_view, 13> kButtonKeys = {
    kBtnSave, kBtnReset, kBtnApply, kBtnOk, kBtnCancel, kBtnDefault, kBtnEdit,
    kBtnLoadFactory, kBtnCommRecv, kBtnCommSent, kBtnCommSend, kBtnCommClear, kBtnCommAutoClear};

// [SYSCHAR]: words used across pages.
inline constexpr std::string_view kCharRowNumber = "NO_X"; // row label prefix, "%s%d"
inline constexpr std::string_view kCharYes = "YES";
inline constexpr std::string_view kCharNo = "NO";
inline constexpr std::string_view kCharVoltageInput = "AINVOL";
inline constexpr std::string_view kCharCurrentInput = "AINCUR";
inline constexpr std::string_view kCharLinkOutput = "LINKDO"; // "%s%d" with output 0..7
inline constexpr std::string_view kCharNotConnected = "NC";
inline constexpr std::string_view kCharRegister = "REGISTER";
inline constexpr std::array<std::string_view, 8> kSysCharWordKeys = {
    kCharRowNumber, kCharYes, kCharNo, kCharVoltageInput,
    kCharCurrentInput, kCharLinkOutput, kCharNotConnected, kCharRegister};

// [SYSCHAR]: parity list items; the position is the parity code sent (none,
// odd, even, mark, space). The main window shows only the first four.
inline constexpr std::array<std::string_view, 5> kParityKeys = {"PARITY0", "PARITY1", "PARITY2", "PARITY3", "PARITY4"};
inline constexpr std::size_t kMainWindowParityCount = 4;

// [SYSCHAR]: weekday items, position = weekday number sent.
inline constexpr std::array<std::string_view, 7> kWeekdayKeys = {"DAY0", "DAY1", "DAY2", "DAY3", "DAY4", "DAY5", "DAY6"};

// [TIMERACTS]: timer action items, position = action index sent. Index 3 has
// no key: its item always reads kTimerActionFixedText. Weekly timers offer
// only the first kWeeklyTimerActionCount actions.
inline constexpr std::array<std::string_view, 28> kTimerActionKeys = {
    "NONE", "DISARM", "ARM", "", "DAILY", "CLOCK_BEEP", "BUZ_ON", "BUZ_OFF",
    "DRV_OC0", "DRV_OC1", "DRV_OC2", "DRV_OC3", "OFF_OC0", "OFF_OC1", "OFF_OC2", "OFF_OC3",
    "PULSE_OC0", "PULSE_OC1", "PULSE_OC2", "PULSE_OC3",
    "SHELLCMD0", "SHELLCMD1", "SHELLCMD2", "SHELLCMD3", "SHELLCMD4", "SHELLCMD5", "SHELLCMD6",
    "RST_SYSTEM"};
inline constexpr std::string_view kTimerActionFixedText = "None";
inline constexpr std::size_t kWeeklyTimerActionCount = 8;

// [DINTYPES] / [DOUTTYPES]: state report words of the digital I/O page.
inline constexpr std::string_view kDinStateOpen = "DIN_OPEN";
inline constexpr std::string_view kDinStateClosed = "DIN_CLOSE";
inline constexpr std::string_view kDinChannelWord = "DIN_CHANNEL";
inline constexpr std::string_view kDoutStateOpen = "DOUT_OPEN";
inline constexpr std::string_view kDoutStateClosed = "DOUT_CLOSE";
inline constexpr std::string_view kDoutChannelWord = "DOUT_CHANNEL";
inline constexpr std::array<std::string_view, 3> kDinReportKeys = {kDinStateOpen, kDinStateClosed, kDinChannelWord};
inline constexpr std::array<std::string_view, 3> kDoutReportKeys = {kDoutStateOpen, kDoutStateClosed, kDoutChannelWord};
// Type list items of both sections; position = type index sent.
inline constexpr std::array<std::string_view, 5> kIoTypeKeys = {"NC", "T0", "T1", "T2", "T3"};

// [TABS]: navigation folders and their items (which also head their pages),
// in the order the navigation bar shows them.
inline constexpr std::array<std::string_view, 4> kNavFolderKeys = {"TAB_BASIC", "TAB_GPIO", "TAB_SENSOR", "TAB_OTHER"};
inline constexpr std::array<std::string_view, 7> kNavBasicItemKeys = {
    "PAGE_CS", "PAGE_BASIC", "PAGE_ALARM", "PAGE_SMS", "PAGE_RFZONE", "PAGE_WINPRIO", "PAGE_SYSPRIO"};
inline constexpr std::array<std::string_view, 5> kNavGpioItemKeys = {
    "PAGE_DIOTYPE", "PAGE_DINSMS", "PAGE_DINSETUP", "PAGE_DINAME", "PAGE_DONAME"};
inline constexpr std::array<std::string_view, 5> kNavSensorItemKeys = {
    "PAGE_SENSORNAME", "PAGE_BUZZER", "PAGE_DS1820", "PAGE_TMP100", "PAGE_BATTERY"};
inline constexpr std::array<std::string_view, 5> kNavOtherItemKeys = {
    "PAGE_INTERLOCK", "PAGE_TIMERS", "PAGE_WEEK_TIMERS", "PAGE_COMM_TOOL", "PAGE_USER_CMD"};

struct NavigationFolderKeys {
    std::string_view folder;
    std::span<const std::string_view> items;
};
inline constexpr std::array<NavigationFolderKeys, 4> kNavigationFolders = {{
    {kNavFolderKeys[0], kNavBasicItemKeys},
    {kNavFolderKeys[1], kNavGpioItemKeys},
    {kNavFolderKeys[2], kNavSensorItemKeys},
    {kNavFolderKeys[3], kNavOtherItemKeys},
}};
// Headings of pages that no navigation item selects.
inline constexpr std::array<std::string_view, 4> kUnlistedPageHeadingKeys = {
    "PAGE_ADCNAME", "PAGE_ADCSMS", "PAGE_AINPRIO", "PAGE_HTTP"};

// Every common key that must have a text, grouped by section. An empty key
// stands for a list position without a catalogue text and is skipped.
struct LabelKeyGroup {
    std::string_view section;
    std::span<const std::string_view> keys;
};
inline constexpr std::array<LabelKeyGroup, 19> kCommonLabelGroups = {{
    {kSectionSysBtn, kMainWindowButtonKeys},
    {kSectionSysMsg, kTerminalStateKeys},
    {kSectionSysMsg, kMessageBoxKeys},
    {kSectionSysMsg, kProgressKeys},
    {kSectionButtons, kButtonKeys},
    {kSectionSysChar, kSysCharWordKeys},
    {kSectionSysChar, kParityKeys},
    {kSectionSysChar, kWeekdayKeys},
    {kSectionTimerActs, kTimerActionKeys},
    {kSectionDinTypes, kDinReportKeys},
    {kSectionDinTypes, kIoTypeKeys},
    {kSectionDoutTypes, kDoutReportKeys},
    {kSectionDoutTypes, kIoTypeKeys},
    {kSectionTabs, kNavFolderKeys},
    {kSectionTabs, kNavBasicItemKeys},
    {kSectionTabs, kNavGpioItemKeys},
    {kSectionTabs, kNavSensorItemKeys},
    {kSectionTabs, kNavOtherItemKeys},
    {kSectionTabs, kUnlistedPageHeadingKeys},
}};

} // namespace orlan
