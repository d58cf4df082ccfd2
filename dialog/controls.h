#pragma once

#include "widgets/label.h"

#include <QPushButton>
#include <QStringList>

class QFontMetrics;

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

// The picture's path in a label too small for most paths: the lines a path is shown in
// within the given width. A path too long for one line shows its folder on the first line
// and its file name on the second, each shortened in its middle only when it alone is
// still too long, so the file name and its extension always show.
QStringList PathLines(const QString& path, const QFontMetrics& metrics, int width);

// A label that shows a path in PathLines, with the whole path as its caption and tooltip.
class PathLabel : public Label {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent);
    void SetPath(const QString& path);
    // The lines' width when something stands over the label's right end; the label's width
    // without one.
    void SetTextWidth(int pixels);
    int TextWidth() const { return m_textWidth > 0 ? qMin(m_textWidth, width()) : width(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_textWidth = 0;
};
