#include "app/ProgressModel.h"

#include <utility>

namespace orlan {

bool ProgressShows(EProgressActivity activity, EProgressEvent event, std::string_view text)
{
    const bool setting = !text.empty() && text.front() == '$';
    const bool command = !text.empty() && text.front() == '%';
    if (event == EProgressEvent::Line && !setting && !command)
        return true;
    switch (activity) {
    case EProgressActivity::Idle:
        return false;
    case EProgressActivity::Setup:
        return event != EProgressEvent::Line;
    case EProgressActivity::Reading:
        // A plain Show is a live "*" line or a status line: not the read's.
        return event != EProgressEvent::Show;
    case EProgressActivity::Writing:
        return event != EProgressEvent::Line || command;
    }
    return false;
}

CProgressModel::CProgressModel(SProgressTexts texts) : m_texts(std::move(texts)), m_caption(m_texts.progress) {}

bool CProgressModel::Takes(EProgressEvent event, std::string_view text) const
{
    return !activity || ProgressShows(activity(), event, text);
}

void CProgressModel::Show(int ticks)
{
    if (!Takes(EProgressEvent::Show))
        return;
    m_text = m_texts.progress;
    Run(ticks);
}

void CProgressModel::ShowLine(int ticks, std::string text)
{
    if (!Takes(EProgressEvent::Line, text))
        return;
    m_dumpCaption = !text.empty() && text.front() == '$';
    m_caption = m_dumpCaption ? m_texts.reading : m_texts.processing;
    m_text = std::move(text);
    Run(ticks);
}

void CProgressModel::Finish()
{
    if (!Takes(EProgressEvent::Finish))
        return;
    m_text = m_texts.progress;
    m_countdown = kFinishTicks;
    m_done = true;
    Changed();
}

void CProgressModel::Hide()
{
    Close();
}

void CProgressModel::Tick()
{
    if (m_countdown > 0) {
        m_bar += kBarStep;
        if (m_bar > kBarMaximum)
            m_bar = kBarMinimum;  // a stepping bar starts over when it runs past its end
        if (--m_countdown == 0) {
            m_bar = kBarMinimum;
            Close();
            EnablePageButtons(true);
        } else {
            Changed();
        }
    } else if (m_done) {
        // Once: repeating this every tick would undo every later
        // write-back's disabling within half a second.
        m_done = false;
        Close();
        EnablePageButtons(true);
    }
    if (m_watchdog > 0 && --m_watchdog == 0)
        EnablePageButtons(true);
}

void CProgressModel::EnablePageButtons(bool on)
{
    if (applyPageButtons && applyPageButtons(on))
        m_watchdog = kWatchdogTicks;
}

void CProgressModel::Run(int ticks)
{
    m_countdown = ticks;
    m_done = false;
    m_visible = true;
    Changed();
}

void CProgressModel::Close()
{
    m_visible = false;
    Changed();
}

void CProgressModel::Changed() const
{
    if (changed)
        changed();
}

} // namespace orlan
