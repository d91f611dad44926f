#include "gui/chart/diagramnav.h"

#include <QAction>
#include <QMenu>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>

#include "chart/curvestats.h"
#include "chart/vqrdiagram.h"
#include "data/freerange.h"
#include "gui/chart/diagraminput.h"
#include "gui/chart/rangedialogs.h"

namespace {
AxisRange Of(const TAxisSet& s, int i) { return i == 0 ? s.Time : i == 1 ? s.Value : s.Temp; }

/// Label units per stored unit of axis i.
double Factor(const TAxisSet& s, int i) { return i == 0 ? TimeLabelFactor(s.Time) : 1.0; }

QString ClockText(int32_t seconds) {
  const int64_t s = std::llabs(int64_t{seconds});
  return QStringLiteral("%1%2:%3:%4")
      .arg(seconds < 0 ? "-" : "")
      .arg(s / 3600)
      .arg(s / 60 % 60, 2, 10, QChar('0'))
      .arg(s % 60, 2, 10, QChar('0'));
}
}  // namespace

TDiagramNavigation::TDiagramNavigation(QWidget* window, QMenu* popup,
                                       TDiagramController& controller,
                                       std::function<TVQRDiagram*()> diagram,
                                       std::function<void(const TDiagramActions&)> apply)
    : QObject(window),
      window_(window),
      controller_(controller),
      diagram_(std::move(diagram)),
      apply_(std::move(apply)) {
  popup->addSeparator();
  back_ = popup->addAction(tr("Zurück"));
  back_->setObjectName("PMn_ZoomBack");
  connect(back_, &QAction::triggered, this, [this] { apply_(controller_.Back()); });
  forward_ = popup->addAction(tr("Vor"));
  forward_->setObjectName("PMn_ZoomForward");
  connect(forward_, &QAction::triggered, this, [this] { apply_(controller_.Forward()); });
  axes_ = popup->addAction(tr("Achsen..."));
  axes_->setObjectName("PMn_Axes");
  connect(axes_, &QAction::triggered, this, &TDiagramNavigation::EditAxes);
  markAt_ = popup->addAction(tr("Marke bei..."));
  markAt_->setObjectName("PMn_MarkAt");
  connect(markAt_, &QAction::triggered, this, &TDiagramNavigation::MarkAt);
}

void TDiagramNavigation::MenuOpening() {
  back_->setEnabled(controller_.CanGoBack());
  forward_->setEnabled(controller_.CanGoForward());
}

void TDiagramNavigation::Wheel(const QWheelEvent& event) {
  const QPoint p = event.position().toPoint();
  if (diagram_())
    apply_(controller_.Wheel({p.x(), p.y()}, WheelNotches(event.angleDelta()),
                             WheelAxisFor(event.modifiers())));
}

void TDiagramNavigation::EditAxes() {
  const TVQRDiagram* d = diagram_();
  if (!d) return;
  const TAxisSet full = controller_.FullScale();
  const TAxisSet now = d->Axes().All();
  const bool asTyped = now == typedAxes_ && !typed_[0].isNull();
  TAxisRow rows[3];
  for (int i = 0; i < 3; ++i) {
    const AxisRange r = Of(now, i);
    rows[i].Automatic = r == Of(full, i);
    rows[i].From = asTyped ? typed_[2 * i] : TypedNumberText(AxisLow(r) * Factor(now, i));
    rows[i].To = asTyped ? typed_[2 * i + 1] : TypedNumberText(AxisHigh(r) * Factor(now, i));
  }
  TF_AxesDialog dialog(rows, QString::fromStdString(d->UnitText(0)), window_);
  if (dialog.exec() != QDialog::Accepted) return;
  TTypedRanges typed;
  std::optional<std::pair<double, double>>* out[] = {&typed.Time, &typed.Value, &typed.Temp};
  for (int i = 0; i < 3; ++i)
    if (const auto r = dialog.Range(i))
      *out[i] = std::pair{r->first / Factor(now, i), r->second / Factor(now, i)};
  apply_(controller_.ShowRanges(typed));
  if (const TVQRDiagram* shown = diagram_()) {
    typedAxes_ = shown->Axes().All();
    for (int i = 0; i < 3; ++i) {
      const TAxisRow row = dialog.Row(i);
      typed_[2 * i] = row.Automatic ? rows[i].From : row.From;
      typed_[2 * i + 1] = row.Automatic ? rows[i].To : row.To;
    }
  }
}

void TDiagramNavigation::MarkAt() {
  const TVQRDiagram* d = diagram_();
  if (!d) return;
  const double factor = TimeLabelFactor(d->Axes().Time());
  const QString unit = QString::fromStdString(d->UnitText(0));
  auto snap = [this, factor, unit](double t) -> std::optional<QString> {
    const TVQRDiagram* now = diagram_();
    const int i = now ? NearestSample(now->Data(), t / factor) : 0;
    if (i <= 0) return std::nullopt;
    const int32_t seconds = SampleOf(now->Data(), i).Seconds;
    return TypedNumberText(seconds * factor) + " " + unit + "  (" + ClockText(seconds) + ")";
  };
  TF_MarkAtDialog dialog(unit, controller_.MarkA() != 0, snap, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  if (const auto t = dialog.Time()) apply_(controller_.SetMarkAtTime(dialog.MarkB(), *t / factor));
}
