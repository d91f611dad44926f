#pragma once
// The limit columns of "Messwerte": per recording how a curve kept its
// limits over the table's range, shown only while a curve of it has a limit.

#include <QStringList>
#include <vector>

#include "chart/measuredvalues.h"

class TVQRDiagram;

/// The header of the limit columns of one recording (suffix: its file).
QStringList LimitColumnHeader(const QString& suffix);

/// Whether any of channels has a limit the diagram draws.
bool AnyLimitShown(const TVQRDiagram& diagram, const std::vector<int>& channels);

/// The limit cells of channel ch for each of groups recordings, one header's
/// worth each; empty cells where it has no limit. d: decimals of its values.
QStringList LimitCells(const TVQRDiagram& diagram, int ch, const TMeasuredRange& range,
                       size_t groups, int d);
