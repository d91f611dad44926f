#include "chart/charttypes.h"

TDiagramLayout MakeDefaultLayout() {
  TDiagramLayout l;
  auto axis = [](int32_t sx, int32_t sy, int32_t len, int32_t labelOff, const char* unit1,
                 const char* unit2) {
    TAxisLayout a;
    a.StartX = sx;
    a.StartY = sy;
    a.Length = len;
    a.TicLength = 50;
    a.LabelOffset = labelOff;
    a.UnitOffset = 100;
    a.UnitText1 = unit1;
    a.UnitText2 = unit2;
    return a;
  };
  l.XAxis = axis(200, 200, 2250, -50, "Std", "Tage");
  l.YAxis = axis(200, 200, 1500, -50, "McF", "");
  l.TAxis = axis(2500, 200, 1500, 50, "Celsius", "");
  return l;
}
