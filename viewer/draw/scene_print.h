// Printing the picture. The rough print puts the retained image on the page at
// its screen size (15 twips per pixel), made smaller where it would overrun the
// page; the high-quality print draws the scene again through the scene renderer
// with vector lines, in printer units of 1/1440 inch.
#pragma once

#include "viewer/core/scene.h"
#include "viewer/draw/scale_state.h"

#include <QImage>
#include <QPaintDevice>

#include <string>

namespace sorvath {

inline constexpr double kPrinterUnitsPerInch = 1440.0;
inline constexpr int kTwipsPerPixel = 15;

// Both end the document when done; they draw nothing on a device that cannot be painted.
void roughPrint(QPaintDevice& device, const QImage& picture);
// The text lines (chosen path, "iloop/nloop=" + iloop + "/" + nloop), the frame
// element, then walls, particle outlines and orientation marks mapped into the page.
void highQualityPrint(QPaintDevice& device, const Scene& scene, const ScaleState& scale, const std::string& path);

// The print's world-to-page factor f: the run fills 5000 units across or 7500 down.
double printScaleFactor(double xlng, double ylng);

}  // namespace sorvath
