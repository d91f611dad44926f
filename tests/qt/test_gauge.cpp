// The progress gauge in a status bar panel.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>

#include "gui/common/ztprogress.h"

namespace {

struct Window {
  Window() {
    main.setStatusBar(bar);
    main.show();
  }
  QMainWindow main;
  TZTStatusBar* bar = new TZTStatusBar({100, 150, 0}, &main);
  QProgressBar* progress = new QProgressBar(&main);
  QLabel* label = new QLabel(&main);
};

}  // namespace

TEST(Gauge, AttachedGaugeShowsCaptionAndBarOnlyWhileRunning) {
  Window w;
  TProcessGauge gauge;
  gauge.Init(w.progress, w.label);
  gauge.Attach(w.bar, 1, 0);
  EXPECT_EQ(w.progress->parentWidget(), w.bar->Panel(1));
  EXPECT_FALSE(w.progress->isVisible());
  w.bar->SetPanelText(0, "alt");  // a finish without a start empties the caption too
  gauge.Finish();
  EXPECT_EQ(w.bar->PanelText(0), "");

  gauge.Start(400, "Lesen:");
  EXPECT_EQ(std::tuple(w.progress->isVisible(), w.bar->PanelText(0), w.progress->maximum()),
            std::tuple(true, QString("Lesen:"), 400));
  gauge.SetPosition(100);
  gauge.StepBy(50);
  EXPECT_EQ(w.progress->value(), 150);
  gauge.Finish();
  EXPECT_FALSE(w.progress->isVisible());
  EXPECT_EQ(w.bar->PanelText(0) + w.label->text(), "");
  EXPECT_EQ(gauge.Maximum(), 0);

  // An empty operation shows an empty bar, not a busy indicator.
  gauge.Start(0, "Export:");
  gauge.Complete();
  EXPECT_EQ(w.progress->value(), 0);
  EXPECT_GT(w.progress->maximum(), w.progress->minimum());
  gauge.Finish();

  // One that is not attached never shows or hides its bar.
  TProcessGauge unattached;
  unattached.Init(w.progress, nullptr);
  unattached.Start(10, "Druck:");
  EXPECT_FALSE(w.progress->isVisible());
  w.progress->show();
  unattached.Finish();
  EXPECT_TRUE(w.progress->isVisible());
}
