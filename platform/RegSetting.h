#pragma once
// The persisted link settings: port, speed and parity choices, the console
// page's values and the device paths the user assigned to COM97..COM199.
// Every value is stored as text; numbers as decimal text.
#include <QString>

#include <memory>

class QSettings;

namespace orlan {

// Value names; the numbered ones are stored with index 0 ("COMMPORT0").
inline constexpr char kPortValueName[] = "COMMPORT";   // port number - 1
inline constexpr char kSpeedValueName[] = "BPSSEL";    // entry of the speed list
inline constexpr char kParityValueName[] = "PARITY";   // parity code 0..3
// Where earlier versions kept the parity; read while PARITY is not stored.
inline constexpr char kLegacyParityValueName[] = "FLOWCTRL";
// Never stored (see WriteText); named so nothing stores it by mistake.
inline constexpr char kPasswordValueName[] = "PASSWORD";
inline constexpr char kServerPortValueName[] = "SVRPORT";
inline constexpr char kLocalNumberValueName[] = "LOCALNUM";
inline constexpr char kIpAddressValueName[] = "IPADDRESS";

inline constexpr int kDefaultPortValue = 0;
inline constexpr int kDefaultSpeedValue = 5; // "9600"
inline constexpr int kDefaultParityValue = 0;

class CRegSetting {
public:
    // The user's store: an INI file in the configuration folder on Linux
    // (~/.config/orlan/link.ini), the user's registry branch on Windows.
    CRegSetting();
    // An INI file at `iniFilePath`.
    explicit CRegSetting(const QString& iniFilePath);
    ~CRegSetting();

    CRegSetting(const CRegSetting&) = delete;
    CRegSetting& operator=(const CRegSetting&) = delete;

    // The decimal integer at the start of the stored text, with an optional
    // sign ("12abc" -> 12, "-3" -> -3); text that is no number, or a number
    // outside int, reads as 0; an absent or empty value as `defaultValue`.
    int ReadNumber(const QString& name, int index, int defaultValue) const;
    void WriteNumber(const QString& name, int index, int value);
    // Absent or empty: "8008" for "SVRPORT", empty for any other name.
    QString ReadText(const QString& name) const;
    void WriteText(const QString& name, const QString& text);

    // Device path assigned to a port number of COM97..COM199; empty when none.
    QString UserPortPath(int portNumber) const;
    void SetUserPortPath(int portNumber, const QString& path);

private:
    QString RawText(const QString& name) const;

    std::unique_ptr<QSettings> m_settings;
};

// The leading decimal integer of `text` as stored values are read.
int LeadingNumber(const QString& text);

} // namespace orlan
