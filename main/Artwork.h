#pragma once

#include <QImage>

// The program's own pictures: the splash and the about box share one design (the name, the
// version, the maker's credits). The build draws them once (render-artwork) and the program
// carries them as resources.
namespace artwork {

QImage splash();   // 251 x 200
QImage aboutBox(); // 251 x 200, with the free-of-charge line and the contacts

// The same pictures drawn now.
QImage drawSplash();
QImage drawAboutBox();

} // namespace artwork
