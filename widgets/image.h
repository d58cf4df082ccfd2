#pragma once

#include <QPixmap>
#include <QWidget>

// A picture control: the picture at its own size, or stretched to the control's rectangle.
// Over it the mouse belongs to the picture, as over a label.
class Image : public QWidget {
    Q_OBJECT
public:
    explicit Image(QWidget* parent);

    void SetPicture(const QPixmap& picture);
    QPixmap Picture() const { return m_picture; }
    void SetStretch(bool stretch);
    bool Stretch() const { return m_stretch; }
    void SetTwipsGeometry(int left, int top, int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    bool m_stretch = false;
};
