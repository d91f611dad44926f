#pragma once
// vqrtool render --cursor H[,H2]: the channel window's cursor read-out (or
// its two markers) drawn into the picture.

#include <string>
#include <vector>

#include <QString>

class TVQRDiagram;

/// The diagram with the cursor as a w x h picture on white, as SaveDiagramPicture.
bool SaveDiagramPictureWithCursor(TVQRDiagram& diagram, const QString& path, int w, int h,
                                  const std::vector<double>& hours, std::string* error);
