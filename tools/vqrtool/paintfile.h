#pragma once
// Painting into image, SVG or PDF files for vqrtool, without a window.

#include <QImage>
#include <functional>
#include <string>

class QPainter;

/// Makes sure a QGuiApplication exists (fonts need one); without a display
/// the offscreen platform is used, so no window is ever opened.
void EnsureGuiApplication();

/// Paints a w x h picture into path: .png (and other image types Qt writes),
/// .svg or .pdf, chosen by the extension. background fills the picture
/// first. False, with the reason in *error, when the file could not be
/// written; an older file of that name is then kept.
bool PaintToFile(const std::string& path, int w, int h, QColor background,
                 const std::function<void(QPainter&)>& paint, std::string* error = nullptr);

/// True for an output name with an extension PaintToFile handles.
bool IsPaintableFile(const std::string& path);
