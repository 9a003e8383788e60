#pragma once
// The unit at a glance, the navigation's first item and the page shown after
// a whole read: who the unit is and whether it answers, its inputs and
// outputs as lamps, its analog readings on bars against their alarm range,
// its temperatures and humidity with their latest samples, and its newest
// events. Every value says how old it is and is greyed while not reported.
// It follows the live lines as they arrive (no read needed); Refresh asks
// the terminal for what it shows (the reads of those pages), not a whole
// read.
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "session/StatusOverview.h"

class QLabel;
class QPushButton;

namespace orlan {

class CLabelCatalogue;
class CStatusCanvas;
class CTerminalSession;

class CStatusOverviewView final : public QWidget {
    Q_OBJECT
public:
    CStatusOverviewView(CTerminalSession& session, const CLabelCatalogue& catalogue,
                        std::function<QString()> portName, QWidget* parent = nullptr);
    ~CStatusOverviewView() override;

    QPushButton* RefreshButton() const { return m_refresh; }
    const CStatusOverview& Model() const { return *m_model; }
    // What is drawn now (tests and the screenshot look at it).
    const SStatus& Shown() const { return m_shown; }

public Q_SLOTS:
    // The reads of the pages the overview shows.
    void Refresh();
    // Takes the values as they stand and draws them.
    void Update();

private:
    CTerminalSession& m_session;
    const CLabelCatalogue& m_catalogue;
    std::function<QString()> m_portName;
    std::unique_ptr<CStatusOverview> m_model;
    size_t m_observer = 0;
    SStatus m_shown;
    QLabel* m_title = nullptr;
    QLabel* m_link = nullptr;
    QPushButton* m_refresh = nullptr;
    CStatusCanvas* m_canvas = nullptr;
    // Lines come in bursts: one redraw at most every 100 ms, and once a
    // second so the ages move on.
    QTimer m_soon;
    QTimer m_ages;

protected:
    // Drawn only while seen: a hidden overview keeps the values, not a clock.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

} // namespace orlan
