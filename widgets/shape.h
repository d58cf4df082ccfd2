#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle, rounded or square, with a one-pixel border. It takes no mouse
// events, so whatever lies behind it gets them.
class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(QWidget* parent, bool rounded, const QColor& fill, const QColor& border);

    void SetTwipsGeometry(int left, int top, int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_rounded;
    QColor m_fill;
    QColor m_border;
};
