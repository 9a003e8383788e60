#pragma once
// The progress window drawn as a quiet panel in the status bar: caption,
// the line being read or written, and a thin bar. It never takes the focus
// and never blocks input.
#include <QWidget>

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

    QString CaptionText() const;
    QString LineText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();

    CProgressModel& m_model;
    QLabel* m_caption;
    QLabel* m_line;
    QProgressBar* m_bar;
    QTimer* m_ticker;
};

} // namespace orlan
