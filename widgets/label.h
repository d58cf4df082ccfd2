#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// A caption laid out and placed in twips. Transparent unless given a back colour, so the
// window's colour or picture shows between the glyphs. Over a visible label the mouse
// belongs to the label: its events neither reach nor close the window below.
class Label : public QWidget {
    Q_OBJECT
public:
    enum class Sizing {
        Fixed,        // keeps its size; text beyond it is clipped
        AutoSize,     // width and height follow the caption on one line
        GrowDownward, // keeps its width; wraps and grows taller so every word stays readable
    };

    explicit Label(QWidget* parent, const QString& caption = {});

    void SetCaption(const QString& caption);
    QString Caption() const { return m_caption; }
    void SetForeColor(const QColor& colour);
    QColor ForeColor() const { return m_foreColor; }
    // An invalid colour makes the label transparent.
    void SetBackColor(const QColor& colour);
    void SetAlignment(Qt::Alignment alignment);
    void SetSizing(Sizing sizing);
    void SetBorder(bool border);
    void SetLabelFont(const QFont& font);

    void SetTwipsGeometry(int left, int top, int width, int height);
    void MoveTwips(int left, int top);
    int LeftTwips() const;
    int TopTwips() const;
    int WidthTwips() const;
    int HeightTwips() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToCaption();
    int wrappedHeight(int width) const;

    QString m_caption;
    QColor m_foreColor{Qt::black};
    QColor m_backColor;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    Sizing m_sizing = Sizing::Fixed;
    bool m_border = false;
    int m_designHeight = 0;
};

// A font of the given face, point size and style; the face names are metric twins on Linux.
QFont DesignFont(const QString& family, double pointSize, bool bold, bool italic = false);
