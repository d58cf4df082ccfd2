#include "lessons/bannercycle.h"

#include "lessons/sitetexts.h"

QString LessonBannerCaption(const QString& title) { return QStringLiteral("Vokabo - ") + title; }

QString LessonBannerHint() { return QStringLiteral("skupinu změníte mezerníkem"); }

void BannerTick(qint16& bannerTick, BannerControls& banner)
{
    using enum BannerControl;
    constexpr BannerControl order[] = {Shape2, Image2, Label1, Label2, Label3};
    ++bannerTick;
    if (bannerTick >= 30) {
        for (const auto control : order)
            banner.SetVisible(control, false);
        banner.SetCaption(Label1, SiteAddress());
        banner.SetCaption(Label3, SiteAddress());
        banner.SetCaption(Label2, Slogan());
        bannerTick = 0;
    } else if (bannerTick >= 20) {
        banner.SetWidth(Shape2, banner.Width(Label1) + banner.Left(Label1) - banner.Left(Shape2) + 1000);
        banner.SetWidth(Label2, banner.Width(Label1));
        for (const auto control : order)
            banner.SetVisible(control, true);
    }
}
