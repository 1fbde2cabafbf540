#pragma once

#include <QImage>

// The program's own pictures, drawn when first needed: the splash and the about box share
// one design (the name, the version, the maker's credits).
namespace artwork {

QImage splash();   // 251 x 200
QImage aboutBox(); // 251 x 200, with the free-of-charge line and the contacts

} // namespace artwork
