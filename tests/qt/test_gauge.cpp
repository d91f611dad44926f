// The progress gauge in a status bar panel.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>

#include "ui/ztprogress.h"

namespace {

struct Window {
  Window() {
    bar = new TZTStatusBar({100, 150, 0}, &main);
    main.setStatusBar(bar);
    progress = new QProgressBar(&main);
    label = new QLabel(&main);
    main.show();
  }
  QMainWindow main;
  TZTStatusBar* bar;
  QProgressBar* progress;
  QLabel* label;
};

}  // namespace

TEST(Gauge, AttachedGaugeShowsCaptionAndBarOnlyWhileRunning) {
  Window w;
  TProcessGauge gauge;
  gauge.Init(w.progress, nullptr);
  gauge.Attach(w.bar, 1, 0);
  EXPECT_EQ(w.progress->parentWidget(), w.bar->Panel(1));
  EXPECT_FALSE(w.progress->isVisible());

  gauge.Start(400, "Lesen:");
  EXPECT_TRUE(w.progress->isVisible());
  EXPECT_EQ(w.bar->PanelText(0), "Lesen:");
  EXPECT_EQ(w.progress->maximum(), 400);
  gauge.SetPosition(100);
  gauge.StepBy(50);
  EXPECT_EQ(w.progress->value(), 150);
  gauge.Complete();
  EXPECT_EQ(w.progress->value(), 400);
  gauge.Finish();
  EXPECT_FALSE(w.progress->isVisible());
  EXPECT_EQ(w.bar->PanelText(0), "");
  EXPECT_EQ(gauge.Maximum(), 0);
}

TEST(Gauge, EmptyOperationShowsAnEmptyBarNotABusyIndicator) {
  Window w;
  TProcessGauge gauge;
  gauge.Init(w.progress, nullptr);
  gauge.Attach(w.bar, 1, 0);
  gauge.Start(0, "Export:");
  gauge.Complete();
  EXPECT_EQ(w.progress->value(), 0);
  EXPECT_GT(w.progress->maximum(), w.progress->minimum());
}

TEST(Gauge, FinishWithoutStartHidesTheBarAndEmptiesTheCaption) {
  Window w;
  TProcessGauge gauge;
  gauge.Init(w.progress, w.label);
  gauge.Attach(w.bar, 1, 0);
  w.bar->SetPanelText(0, "alt");
  w.label->setText("alt");
  gauge.Finish();
  EXPECT_FALSE(w.progress->isVisible());
  EXPECT_EQ(w.bar->PanelText(0), "");
  EXPECT_EQ(w.label->text(), "");
}

TEST(Gauge, WithoutBarTheLabelStillNamesTheOperation) {
  Window w;
  TProcessGauge gauge;
  gauge.Init(nullptr, w.label);
  gauge.Attach(w.bar, 1, 0);  // no bar: not attached
  EXPECT_FALSE(gauge.IsAttached());
  gauge.Start(10, "Filter:");
  gauge.SetPosition(5);
  gauge.Complete();
  EXPECT_EQ(w.label->text(), "Filter:");
  EXPECT_EQ(w.bar->PanelText(0), "");
  gauge.Finish();
  EXPECT_EQ(w.label->text(), "");
}

TEST(Gauge, UnattachedGaugeNeverShowsOrHidesItsBar) {
  Window w;
  TProcessGauge gauge;
  gauge.Init(w.progress, nullptr);
  w.progress->hide();
  gauge.Start(10, "Druck:");
  EXPECT_FALSE(w.progress->isVisible());
  w.progress->show();
  gauge.Finish();
  EXPECT_TRUE(w.progress->isVisible());
}
