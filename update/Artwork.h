#pragma once

#include <QImage>

// The updater's own picture, drawn when first needed.
namespace artwork {

// A computer screen in front of a globe, 256 x 256 with a transparent background.
QImage updateIcon();

} // namespace artwork
