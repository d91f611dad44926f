#pragma once
// --range, --values and --temps of render and print: the axes the diagram
// window shows for ranges typed into its "Achsen...".

#include "options.h"

class TVQRSession;

/// Sets the ranges given on the session's diagram (T1,T2 in hours whatever
/// the time axis counts); false when they give no axis.
bool ApplyTypedRanges(TVQRSession& session, const TArgs& args);
