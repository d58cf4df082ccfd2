#pragma once

#include "widgets/label.h"

#include <QPushButton>

// A command button that Enter presses while it has the focus, as Space does, yet that is
// never the window's default: Enter elsewhere in the window presses nothing.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(QWidget* parent, const QString& caption);
    void SetTwipsGeometry(int left, int top, int width, int height);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A label whose back colour is a colour number, kept as that number so that a system
// colour is stored again as the system colour it names, not as today's shade of it.
class ColourSwatch : public Label {
    Q_OBJECT
public:
    ColourSwatch(QWidget* parent, quint32 backColour, quint32 foreColour);

    // False, and the swatch unchanged, when the number names no colour.
    bool SetBackColorNumber(quint32 number);
    quint32 BackColorNumber() const { return m_backColour; }

private:
    quint32 m_backColour = 0;
};
