#pragma once
// The progress window's behaviour without a window: what it shows, its
// countdown in 500 ms ticks, and the watchdog that brings a writing page's
// buttons back at the latest 15 ticks after they went off. The window ticks
// it and draws its state; tests drive it tick by tick.
#include <functional>
#include <string>
#include <string_view>

namespace orlan {

// What runs, as far as the progress window is concerned: it shows that and
// nothing else.
enum class EProgressActivity {
    Idle,     // nothing asked: live lines, records and events pass it by
    Setup,    // waiting for the terminal's boot prompt after SETUP
    Reading,  // a whole read or a page's read: its "$" lines
    Writing,  // a job: its own commands and their answers
};

// What reaches the window: a status or live line's plain Show, a line of
// text, or the end of a step.
enum class EProgressEvent { Show, Line, Finish };

// Whether `event` (with the line's `text`) belongs to `activity`. Text that is
// no terminal line (the picture's byte count) is the tool's own and always shown.
bool ProgressShows(EProgressActivity activity, EProgressEvent event, std::string_view text = {});

// Catalogue texts of section SYSMSG: PROGRESS, READING, PROCESSING.
struct SProgressTexts {
    std::string progress;
    std::string reading;
    std::string processing;
};

class CProgressModel {
public:
    static constexpr int kTickMs = 500;
    static constexpr int kBarMinimum = 1;
    static constexpr int kBarMaximum = 100;
    static constexpr int kBarStep = 2;
    static constexpr int kFinishTicks = 8;
    static constexpr int kWatchdogTicks = 15;

    explicit CProgressModel(SProgressTexts texts);

    // Turns the current page's buttons on or off; returns false when there
    // is no current page (the watchdog then stays as it is).
    std::function<bool(bool on)> applyPageButtons;
    // Something shown (visibility, caption, text, bar) changed.
    std::function<void()> changed;
    // What runs now; unset: everything is shown.
    std::function<EProgressActivity()> activity;

    // Run for `ticks` ticks with the PROGRESS text.
    void Show(int ticks);
    // Run for `ticks` ticks showing `text`; a "$" line is a setting being
    // read (READING), anything else one being written (PROCESSING).
    void ShowLine(int ticks, std::string text);
    // Show the PROGRESS text and close a few ticks later.
    void Finish();
    // Close at once without touching the page buttons (a picture arrived).
    void Hide();
    // Every kTickMs.
    void Tick();
    // Re-arms the watchdog whenever there is a current page.
    void EnablePageButtons(bool on);

    bool Visible() const { return m_visible; }
    const std::string& Caption() const { return m_caption; }
    const std::string& Text() const { return m_text; }
    // The extra caption that marks a dump line.
    bool DumpCaptionShown() const { return m_dumpCaption; }
    int BarPosition() const { return m_bar; }
    int Countdown() const { return m_countdown; }
    bool Done() const { return m_done; }
    int Watchdog() const { return m_watchdog; }

private:
    bool Takes(EProgressEvent event, std::string_view text = {}) const;
    void Run(int ticks);
    void Close();
    void Changed() const;

    SProgressTexts m_texts;
    std::string m_caption;
    std::string m_text;
    bool m_dumpCaption = false;
    bool m_visible = false;
    int m_bar = kBarMinimum;
    int m_countdown = 0;
    bool m_done = false;
    int m_watchdog = 0;
};

} // namespace orlan
