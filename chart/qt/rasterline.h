#pragma once
// Wide polylines written straight into a 32-bit image: the pen's footprint
// moved along the line, with round caps and joins and the painter's dash
// patterns, so that the pixels come out nearly as the painter strokes them,
// but many times faster for long curves.

#include <QImage>
#include <QRect>

#include "chart/devicecontext.h"

/// Draws the polyline in rgb, width pixels wide (>= 1), into img (RGB32 or
/// ARGB32, premultiplied or not), touching only pixels inside area. Dashes
/// follow the painter's pen styles (dash 4, dot 1, gaps 2 pen widths), laid
/// out along the whole polyline from its first point. A single point is
/// drawn as the pen's dot.
void RasterPolyline(QImage& img, const QRect& area, QRgb rgb, int width, DcDash dash,
                    const TPoint* points, int count);
