#pragma once

#include <QIcon>
#include <QImage>

// The pictures built into the program.
namespace Pictures {

// Resource numbers of the two banner pictures, as kept in `dialogBitmapId`.
constexpr int SplashId = 136;
constexpr int CongratulationsId = 137;

QImage Splash();
QImage Congratulations();
// The picture with resource number `id`; a null image for any other number.
QImage BitmapById(int id);
// The program icon, a small cube, in the sizes stored.
QIcon ProgramIcon();

} // namespace Pictures
