// Scale and offsets of the preview image, and the number of points an arc
// is drawn with.
#pragma once
#include "templates/measurements.h"
#include "ui/canvas.h"

namespace kvd {

struct PreviewGeometry {
    double S = 0;   // pixels per millimetre
    int offX = 0;   // pixel offsets of the drawing's box in the image
    int offY = 0;
    double minX = 0;  // Mar1
    double minY = 0;
    bool valid = false;  // false when the drawing has no extent

    // Pixel of a drawing point inside the image (drawing Y grows downward).
    ui::Point ToPixel(double x, double y) const;
};

// S = (width - 15) / W, or (height - 10) / H when round(S * H) > height - 15;
// the drawing's box is centred. Not valid when W or H is not positive.
PreviewGeometry ComputePreviewGeometry(int imageWidth, int imageHeight, const DrawingMeasures& m);

// Intermediate points of an arc: round(|sweep| * radius * S * 0.1) kept in 4..30.
int ArcPointCount(long double sweep, long double radius, double S);

}  // namespace kvd
