#include "data/vqrfileo.h"

#include "data/equalizer.h"

TVqrDataObjectNew::TVqrDataObjectNew() = default;
TVqrDataObjectNew::~TVqrDataObjectNew() = default;

void TVqrDataObjectNew::SetDefaults(bool layout, bool pens, bool printOptions) {
  if (layout) Layout = MakeDefaultLayout();
  if (pens) ChannelPens.fill(TPenRec{});
  if (printOptions) PrintOptions = TPrintOptions{};
}
