#pragma once
// The progress window drawn as a quiet panel in the status bar: caption,
// the line being read or written, and a thin bar. It never takes the focus
// and never blocks input. The model may change on every received line; the
// panel draws it at most once a frame.
#include <QWidget>

#include "widgets/FrameThrottle.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace orlan {

class CProgressModel;

class CSysProgress final : public QWidget {
    Q_OBJECT
public:
    // Ticks `model` every CProgressModel::kTickMs and shows it.
    CSysProgress(CProgressModel& model, QWidget* parent = nullptr);

    // What is drawn now.
    QString CaptionText() const;
    QString LineText() const;
    const CFrameThrottle& Throttle() const { return m_refresh; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();

    CProgressModel& m_model;
    QLabel* m_caption;
    QLabel* m_line;
    QProgressBar* m_bar;
    QTimer* m_ticker;
    QString m_lineText;
    bool m_fixedFont = false;
    CFrameThrottle m_refresh;
};

} // namespace orlan
