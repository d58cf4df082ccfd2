#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Two stacked arrow buttons that step a number within a range and write it into a text box
// beside them. Only the arrows are bound by the range: the box takes whatever is typed.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent);

    void SetBuddy(QLineEdit* buddy);
    void SetRange(int min, int max);
    int Value() const { return m_value; }
    void SetTwipsGeometry(int left, int top, int width, int height);

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

public slots:
    void StepUp() { step(+1); }
    void StepDown() { step(-1); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QLineEdit* m_buddy = nullptr;
    int m_min = 0;
    int m_max = 10;
    int m_value = 0;
};
