#pragma once

#include <QString>
#include <QtGlobal>

enum class BannerControl { Shape2, Image2, Label1, Label2, Label3 };

// The banner's five controls, in twips, as the banner cycle sees them.
class BannerControls {
public:
    virtual ~BannerControls() = default;
    virtual void SetVisible(BannerControl control, bool visible) = 0;
    virtual void SetCaption(BannerControl label, const QString& caption) = 0;
    virtual int Left(BannerControl control) const = 0;
    virtual int Width(BannerControl control) const = 0;
    virtual void SetWidth(BannerControl control, int width) = 0;
};

// The captions right after a lesson has been loaded.
QString LessonBannerCaption(const QString& title);
QString LessonBannerHint();

// One second of the banner: hidden for 20 ticks, shown for the next 10.
void BannerTick(qint16& bannerTick, BannerControls& banner);
