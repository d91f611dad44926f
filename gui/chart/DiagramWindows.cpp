#include "gui/chart/DiagramWindows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <functional>

#include "chart/vqrdiagram.h"
#include "gui/chart/FurtherWindow.h"
#include "gui/chart/Overview.h"
#include "gui/chart/SingleChannel.h"
#include "gui/chart/TimeCoupling.h"

namespace {

void BringToFront(QWidget* w) {
  if (w->isMinimized()) w->showNormal();
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

/// Tells which diagram window became active.
class TDiagramWindows::TActivation : public QObject {
 public:
  explicit TActivation(std::function<void(QObject*)> activated)
      : activated_(std::move(activated)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate) activated_(watched);
    return false;
  }

 private:
  std::function<void(QObject*)> activated_;
};

TDiagramWindows::TDiagramWindows(IDiagramHost& host)
    : host_(host),
      overview_(std::make_unique<TF_Overview>(host)),
      channel_(std::make_unique<TF_SChannel>(host)),
      activation_(std::make_unique<TActivation>([this](QObject* w) {
        if (auto* window = qobject_cast<TF_SChannel*>(w)) active_ = window;
      })),
      coupling_(std::make_unique<TTimeCoupling>([this] { return ShownWindows(); })) {
  Adopt(*channel_);
  host_.AttachDiagramWindows(this);
}

TDiagramWindows::~TDiagramWindows() {
  host_.AttachDiagramWindows(nullptr);
  further_.clear();
}

void TDiagramWindows::Adopt(TF_SChannel& window) {
  window.installEventFilter(activation_.get());
  coupling_->Adopt(window);
}

std::vector<TF_SChannel*> TDiagramWindows::ShownWindows() const {
  std::vector<TF_SChannel*> windows;
  if (channel_->isVisible()) windows.push_back(channel_.get());
  for (TF_SChannel* w : FurtherWindows())
    if (w->isVisible()) windows.push_back(w);
  return windows;
}

bool TDiagramWindows::ChannelWindowVisible() const { return channel_->isVisible(); }

void TDiagramWindows::CloseChannelWindow() { channel_->close(); }

void TDiagramWindows::RefreshChannelWindow() {
  channel_->Invalidate();
  // Coupled, a first window that opens takes the time axis of the window
  // worked in; one shown already has it.
  const bool opening = !channel_->isVisible();
  if (opening && coupling_->Coupled() && active_ && active_ != channel_.get() &&
      active_->isVisible()) {
    const auto [lo, hi] = active_->Controller().TimeRange();
    channel_->FollowTimeRange(lo, hi);
  }
  BringToFront(channel_.get());
  active_ = channel_.get();
}

TProcessGauge* TDiagramWindows::ChannelWindowGauge() const { return channel_->Gauge(); }

bool TDiagramWindows::OverviewVisible() const { return overview_->isVisible(); }

void TDiagramWindows::CloseOverview() { overview_->close(); }

void TDiagramWindows::RefreshOverview() { overview_->RefreshOverview(); }

void TDiagramWindows::ShowOverview() {
  overview_->update();
  BringToFront(overview_.get());
}

std::vector<TReportWindow> TDiagramWindows::ReportWindows() const {
  std::vector<TReportWindow> windows;
  if (overview_->isVisible()) windows.push_back(TReportWindow{});
  for (TF_SChannel* shown : ShownWindows()) {
    const TVQRDiagram* diagram = shown->Diagram();
    if (!diagram || !IsDiagramMode(diagram->WindowMode())) continue;
    const TDiagramController& c = shown->Controller();
    TReportWindow w;
    w.Mode = diagram->WindowMode();
    w.Axes = diagram->Axes().All();
    w.Zoomed = c.Zoomed() || *w.Axes != c.FullScale();
    w.Zoom = c.ZoomSel();
    w.MarkA = c.MarkA();
    w.MarkB = c.MarkB();
    w.Number = shown->Number();
    windows.push_back(w);
  }
  return windows;
}

const TDiagramController* TDiagramWindows::ChannelController() const {
  return &channel_->Controller();
}

std::vector<TEvalWindow> TDiagramWindows::SavedViews() const {
  std::vector<TEvalWindow> views;
  for (TF_SChannel* shown : ShownWindows()) {
    const TVQRDiagram* diagram = shown->Diagram();
    if (!diagram || !IsDiagramMode(diagram->WindowMode())) continue;
    const TDiagramController& c = shown->Controller();
    TEvalWindow v;
    v.Mode = diagram->WindowMode();
    v.Axes = diagram->Axes().All();
    v.Zoomed = c.Zoomed();
    v.MarkA = c.MarkA();
    v.MarkB = c.MarkB();
    views.push_back(v);
  }
  return views;
}

void TDiagramWindows::RestoreChannelView(const TEvalWindow& view) {
  channel_->RestoreView(view.Axes, view.Zoomed, view.MarkA, view.MarkB);
}

bool TDiagramWindows::OpenFurtherView(const TEvalWindow& view) {
  if (!OpenFurtherWindow(view.Mode)) return false;
  further_.back()->Window()->RestoreView(view.Axes, view.Zoomed, view.MarkA, view.MarkB);
  return true;
}

bool TDiagramWindows::TimeAxesCoupled() const { return coupling_->Coupled(); }

void TDiagramWindows::SetTimeAxesCoupled(bool on) { coupling_->SetCoupled(on, nullptr); }

void TDiagramWindows::RedrawDiagrams() {
  for (TF_SChannel* w : ShownWindows()) w->Invalidate();
}

std::vector<TF_SChannel*> TDiagramWindows::FurtherWindows() const {
  std::vector<TF_SChannel*> windows;
  for (const auto& f : further_)
    if (!f->Closed()) windows.push_back(f->Window());
  return windows;
}

void TDiagramWindows::Prune() {
  // Closed windows are hidden and idle: none of them is handling an event.
  std::erase_if(further_, [](const auto& f) { return f->Closed(); });
}

bool TDiagramWindows::OpenFurtherWindow(int mode) {
  Prune();
  TVQRDiagram* first = host_.Diagram();
  if (!first || static_cast<int>(further_.size()) >= kMaxFurther) return false;
  // The lowest number free, the first window being 1.
  int number = 2;
  while (std::any_of(further_.begin(), further_.end(),
                     [number](const auto& f) { return f->Number() == number; }))
    ++number;
  auto further = std::make_unique<TFurtherWindow>(host_, *first, mode, number);
  TF_SChannel* window = further->Window();
  Adopt(*window);
  // Cascaded from the first window's place, within the screen.
  QRect place = channel_->geometry();
  place.translate(40 * (number - 1), 40 * (number - 1));
  if (const QScreen* screen = channel_->screen()) {
    const QRect area = screen->availableGeometry();
    if (!area.contains(place)) place.moveTopLeft(area.topLeft() + QPoint(40, 40) * (number - 1));
  }
  window->setGeometry(place);
  further_.push_back(std::move(further));
  further_.back()->RefreshDiagramWindow();
  // Coupled, it starts with the time axis of the window worked in last.
  const std::vector<TF_SChannel*> shown = ShownWindows();
  if (coupling_->Coupled() && !shown.empty()) {
    TF_SChannel* from = active_ && active_->isVisible() ? active_.data() : shown.front();
    const auto [lo, hi] = from->Controller().TimeRange();
    window->FollowTimeRange(lo, hi);
  }
  BringToFront(window);
  active_ = window;
  return true;
}

void TDiagramWindows::RefreshFurtherWindows() {
  Prune();
  for (const auto& f : further_) f->RefreshDiagramWindow();
}

void TDiagramWindows::CloseFurtherWindows() {
  for (const auto& f : further_) f->Window()->close();
  Prune();
}

TVQRDiagram* TDiagramWindows::ActiveFurtherDiagram() const {
  for (const auto& f : further_)
    if (!f->Closed() && f->Window() == active_) return f->Diagram();
  return nullptr;
}
