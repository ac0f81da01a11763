// The program's pictures, drawn in code so that no image files need to be
// found at run time: the application icon and the 300 x 60 banner of the
// description tab.
#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>

namespace texttoxml::app::gui {

inline constexpr int kBannerWidth = 300;
inline constexpr int kBannerHeight = 60;

QIcon AppIcon();

// The banner, lettered in the family of `font`, drawn with as many device
// pixels per logical pixel as the screen has, so that it is as sharp as the
// text beside it.
QPixmap BannerPixmap(const QFont& font, qreal devicePixelRatio);

}  // namespace texttoxml::app::gui
