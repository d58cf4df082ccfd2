#pragma once

#include <QPointer>
#include <QWidget>

class frmmain;
class QScreen;

// A screen other than the one the design runs on: the saver's background colour and
// picture, the pointer hidden, and every key, click and move counted as the main window's.
class Cover : public QWidget {
    Q_OBJECT
public:
    Cover(frmmain& main, QScreen* screen);

    void ShowOn(QScreen* screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPointer<frmmain> m_main;
};
