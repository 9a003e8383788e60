#pragma once
// The twelve wireless (radio) alarm zones, each learned from a detector or a
// remote control: enabled, siren sound, 24-hour zone, the learned code, the
// zone name (the terminal's message texts 9 to 20), the output it switches
// and its alarm SMS interval. A zone is edited in CRFZoneDlg and sent at
// once; the remote-control arm/disarm SMS switch is sent on click. No Save;
// the profile section carries every zone's switches, output and interval.
//
// Field: remoteSms. Table "zones": zone number, enabled, sound, 24-hour,
// code, name, output, interval. Editor fields: enabled, sound, urgent, name,
// output, interval, and the hidden videoCall, mms, recorder, videoChannel,
// which are never sent.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPageRfZone final : public CPage {
public:
    static constexpr std::size_t kZones = 12;
    static constexpr std::size_t kFirstNameSlot = 9;
    static constexpr int kEditWaitMs = 3000;
    // The output list: outputs 0-7, then none.
    static constexpr int kNoOutputItem = 8;
    static constexpr int kNoOutputInProfile = 255;

    static constexpr std::size_t kZoneColumn = 0;
    static constexpr std::size_t kEnabledColumn = 1;
    static constexpr std::size_t kSoundColumn = 2;
    static constexpr std::size_t kUrgentColumn = 3;
    static constexpr std::size_t kCodeColumn = 4;
    static constexpr std::size_t kNameColumn = 5;
    static constexpr std::size_t kOutputColumn = 6;
    static constexpr std::size_t kIntervalColumn = 7;

    static constexpr std::string_view kRemoteSmsField = "remoteSms";
    static constexpr std::string_view kEnabledField = "enabled";
    static constexpr std::string_view kSoundField = "sound";
    static constexpr std::string_view kUrgentField = "urgent";
    static constexpr std::string_view kNameField = "name";
    static constexpr std::string_view kOutputField = "output";
    static constexpr std::string_view kIntervalField = "interval";

    CPageRfZone();

    // Empties the zones; the remote-control switch keeps its state.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Cell(std::size_t zone, std::size_t column) const { return m_tables.front().Cell(zone, column); }
    // Whether the terminal has reported any zone since the last Clear: a
    // profile written before that switches every zone on.
    bool ZonesReported() const { return m_reported; }

protected:
    // Profiles only: the zones' switches, output and interval, then the
    // remote-control switch.
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreZoneLine(const SDumpValue& value);
    // A zone's value as its dump line gives it ("1", "255"), into the cell.
    bool StoreZoneValue(std::size_t row, std::size_t column, std::string_view text);
    void StoreName(const SDumpValue& value);
    bool StoreCell(std::size_t zone, std::size_t column, std::string text);
    void NumberRows();

    std::string m_yes;
    std::string m_no;
    std::string m_none;  // the output cell of a zone that switches none
    std::string m_outputWord;
    std::array<std::string, 2> m_videoChannels;
    bool m_reported = false;
};

} // namespace orlan
