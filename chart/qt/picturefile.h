#pragma once
// Pictures written to files: painted into memory first, then written through
// the atomic file writer, so a full disk never leaves a truncated picture or
// destroys the one that was there.

#include <QColor>
#include <QString>
#include <functional>
#include <string>

#include "data/vqrtypes.h"

class QPainter;
class TVQRDiagram;

/// Paints a w x h picture and writes it to path: SVG or PDF for those
/// extensions, otherwise the image format of the extension (PNG when Qt
/// writes no such format). A valid background fills the picture first.
/// False, with the reason in *error and its errno in *errorNumber (0 when
/// the picture itself could not be made), when the file could not be written.
bool WritePictureFile(const QString& path, int w, int h, QColor background, const QString& title,
                      const std::function<void(QPainter&)>& paint, std::string* error = nullptr,
                      int* errorNumber = nullptr);

/// True for an extension WritePictureFile writes in its own format.
bool IsPictureFile(const QString& path);

/// The diagram's current window mode as a w x h picture file: background
/// around drawRect, the diagram (screen set-up) inside it. The channel window
/// and vqrtool render save their pictures through this.
bool SaveDiagramPicture(TVQRDiagram& diagram, const QString& path, int w, int h,
                        const TRect& drawRect, QColor background, const QString& title,
                        std::string* error = nullptr, int* errorNumber = nullptr);
