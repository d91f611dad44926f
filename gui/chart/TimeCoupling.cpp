#include "gui/chart/TimeCoupling.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMetaObject>
#include <algorithm>
#include <utility>

#include "chart/curvestats.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/SingleChannel.h"

namespace {

/// A marker's time on the diagram's time axis.
double MarkTime(const TVQRDiagram& diagram, int sample) {
  const double own = SampleOf(diagram.Data(), sample).Seconds;
  return diagram.Comparing() ? own + diagram.Runs()[0].TimeOffset : own;
}

}  // namespace

TTimeCoupling::TTimeCoupling(std::function<std::vector<TF_SChannel*>()> windows)
    : windows_(std::move(windows)) {}

void TTimeCoupling::Adopt(TF_SChannel& window) {
  QMenu* menu = window.ContextMenu();
  menu->addSeparator();
  QAction* couple = menu->addAction(tr("Zeitachsen koppeln"));
  couple->setObjectName("PMn_CoupleTime");
  couple->setCheckable(true);
  QAction* marks = menu->addAction(tr("Zoom auf A–B"));
  marks->setObjectName("PMn_ZoomMarks");
  TF_SChannel* w = &window;
  connect(menu, &QMenu::aboutToShow, w, [this, w, couple, marks] {
    couple->setChecked(coupled_);
    marks->setEnabled(w->MarkA() > 0 && w->MarkB() > 0 && w->MarkA() != w->MarkB());
  });
  connect(couple, &QAction::triggered, w, [this, w](bool on) { SetCoupled(on, w); });
  connect(marks, &QAction::triggered, w, [this, w] { ZoomToMarks(*w); });
  window.SetTimeAxisListener([this, w](double from, double to) { Told(*w, from, to); });
  window.installEventFilter(this);
}

void TTimeCoupling::SetCoupled(bool on, TF_SChannel* from) {
  coupled_ = on;
  dragged_ = nullptr;
  if (!on || !from) return;
  const auto [lo, hi] = from->Controller().TimeRange();
  Spread(*from, lo, hi);
}

bool TTimeCoupling::ZoomToMarks(TF_SChannel& window) {
  const TVQRDiagram* d = window.Diagram();
  const int a = window.MarkA(), b = window.MarkB();
  if (!d || a <= 0 || b <= 0 || a == b) return false;
  const double ta = MarkTime(*d, a), tb = MarkTime(*d, b);
  window.ShowTimeRange(std::min(ta, tb), std::max(ta, tb));
  // A range shown on request is not told to the listener: spread it here.
  if (coupled_) {
    const auto [lo, hi] = window.Controller().TimeRange();
    Spread(window, lo, hi);
  }
  return true;
}

void TTimeCoupling::Told(TF_SChannel& source, double from, double to) {
  if (!coupled_ || spreading_) return;
  if (source.Controller().Panning()) {
    dragged_ = &source;
    dragFrom_ = from;
    dragTo_ = to;
    return;
  }
  dragged_ = nullptr;
  Spread(source, from, to);
}

void TTimeCoupling::Spread(TF_SChannel& source, double from, double to) {
  spreading_ = true;
  for (TF_SChannel* w : windows_())
    if (w != &source) w->FollowTimeRange(from, to);
  spreading_ = false;
}

bool TTimeCoupling::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && dragged_ == watched) {
    // After the window has ended the drag.
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!dragged_ || dragged_->Controller().Panning()) return;
          TF_SChannel* source = dragged_;
          dragged_ = nullptr;
          if (coupled_) Spread(*source, dragFrom_, dragTo_);
        },
        Qt::QueuedConnection);
  }
  return false;
}
