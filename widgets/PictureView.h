#pragma once
// A picture field: the bytes of a JPEG or PNG drawn scaled to the width the
// form gives it, keeping the picture's proportions. Bytes that are missing
// or do not decode leave an empty frame of the same proportions.
#include <QFrame>
#include <QPixmap>

#include <string>

namespace orlan {

class CPictureView final : public QFrame {
    Q_OBJECT
public:
    explicit CPictureView(QWidget* parent = nullptr);

    void SetBytes(const std::string& bytes);
    // The bytes last given, decoded or not.
    const std::string& Bytes() const { return m_bytes; }
    bool HasPicture() const { return !m_picture.isNull(); }
    const QPixmap& Picture() const { return m_picture; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Width over height of what is drawn: the picture's, or a camera frame's.
    QSizeF Proportions() const;

    std::string m_bytes;
    QPixmap m_picture;
    QPixmap m_scaled;  // the picture as last drawn, for an area of m_scaledFor
    QSize m_scaledFor;
};

} // namespace orlan
