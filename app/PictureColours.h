#pragma once

#include <QRgb>

// Sizes and colours of the pictures in resources/. The drawing program in tools/ paints them
// from these values and the tests check the stored files against them.
namespace PictureColours {

// Splash and congratulations banner share one size.
constexpr int BannerWidth = 340;
constexpr int BannerHeight = 130;

constexpr QRgb SplashBackground = qRgb(128, 128, 255);
constexpr QRgb SplashStrip = qRgb(255, 255, 255);
constexpr QRgb SplashSmallText = qRgb(0, 0, 0);
// Text on the splash is seen against the desktop: a light rim keeps dark text legible on a
// dark desktop, and the dark text reads on a light one.
constexpr QRgb SplashTextRim = qRgb(255, 255, 255);

constexpr QRgb CongratulationsBackground = qRgb(255, 255, 177);
constexpr QRgb CongratulationsLetters = qRgb(255, 240, 0);
constexpr QRgb CongratulationsShadow = qRgb(255, 0, 0);

} // namespace PictureColours
