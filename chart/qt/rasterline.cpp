#include "chart/qt/rasterline.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Coordinates far outside any device are pulled in so that the arithmetic
// below stays small; such lines lie off the device anyway.
constexpr int32_t kCoordLimit = 1 << 22;

int Lim(int32_t v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }

// Floor and ceiling for the small coordinates here (|v| far below 2^31),
// without a library call.
int FloorI(double v) {
  const int i = static_cast<int>(v);
  return i - (v < i);
}
int CeilI(double v) {
  const int i = static_cast<int>(v);
  return i + (v > i);
}

// A segment widened by r with round ends. Row gives the x interval of the
// points of row y inside it; false when the row misses it.
class Capsule {
 public:
  /// Without startCap the round end at a is left out (a polyline's previous
  /// piece already drew it).
  Capsule(double ax, double ay, double bx, double by, double r, bool startCap)
      : ax_(ax), ay_(ay), bx_(bx), by_(by), r_(r), startCap_(startCap) {
    const double len = std::hypot(bx - ax, by - ay);
    if (len > 0.0) {
      const double ux = (bx - ax) / len;
      const double uy = (by - ay) / len;
      // Along the segment: 0 <= (x - ax) ux + (y - ay) uy <= len;
      // across it: |(y - ay) ux - (x - ax) uy| <= r. Both bound x - ax
      // linearly in y - ay.
      band_ = true;
      along_ = Bound(ux, uy, 0.0, len);
      across_ = Bound(-uy, ux, -r, r);
    }
  }

  double Top() const { return std::min(ay_, by_) - r_; }
  double Bottom() const { return std::max(ay_, by_) + r_; }

  bool Row(double y, double& xl, double& xr) const {
    xl = std::numeric_limits<double>::infinity();
    xr = -xl;
    if (startCap_) Disk(ax_, ay_, y, xl, xr);
    Disk(bx_, by_, y, xl, xr);
    if (band_) {
      const double dy = y - ay_;
      double lo = -std::numeric_limits<double>::infinity();
      double hi = -lo;
      if (along_.Narrow(dy, lo, hi) && across_.Narrow(dy, lo, hi) && lo <= hi) {
        xl = std::min(xl, ax_ + lo);
        xr = std::max(xr, ax_ + hi);
      }
    }
    return xl <= xr;
  }

 private:
  // from <= a dx + c dy <= to, solved for dx.
  struct Bound {
    Bound() = default;
    Bound(double a, double c, double from, double to) : a_(a), c_(c), from_(from), to_(to) {
      if (a != 0.0) {
        inv_ = 1.0 / a;
        if (a < 0.0) std::swap(from_, to_);
      }
    }
    bool Narrow(double dy, double& lo, double& hi) const {
      const double b = c_ * dy;
      if (a_ == 0.0) return b >= std::min(from_, to_) && b <= std::max(from_, to_);
      lo = std::max(lo, (from_ - b) * inv_);
      hi = std::min(hi, (to_ - b) * inv_);
      return true;
    }
    double a_ = 0.0, c_ = 0.0, from_ = 0.0, to_ = 0.0, inv_ = 0.0;
  };

  void Disk(double cx, double cy, double y, double& xl, double& xr) const {
    const double d = y - cy;
    if (std::abs(d) > r_) return;
    const double h = std::sqrt(r_ * r_ - d * d);
    xl = std::min(xl, cx - h);
    xr = std::max(xr, cx + h);
  }

  double ax_, ay_, bx_, by_, r_;
  bool startCap_;
  bool band_ = false;
  Bound along_;
  Bound across_;
};

// The inked stretches of one period of a dash pattern, in pixels from the
// period's start: the painter's pen styles in pen widths, dash 4, dot 1,
// each followed by a gap of 2.
struct DashPattern {
  int count = 0;  // 0: solid
  double on[3] = {};
  double off[3] = {};
  double period = 0.0;
};

DashPattern PatternOf(DcDash dash, int width) {
  DashPattern d;
  const auto add = [&d, width](double pieceWidths) {
    d.on[d.count] = d.period;
    d.off[d.count] = d.period + pieceWidths * width;
    ++d.count;
    d.period += (pieceWidths + 2.0) * width;
  };
  switch (dash) {
    case DcDash::Dash:
      add(4.0);
      break;
    case DcDash::Dot:
      add(1.0);
      break;
    case DcDash::DashDot:
      add(4.0);
      add(1.0);
      break;
    case DcDash::DashDotDot:
      add(4.0);
      add(1.0);
      add(1.0);
      break;
    case DcDash::Solid:
      break;
  }
  return d;
}

class Rasteriser {
 public:
  Rasteriser(QImage& img, const QRect& area, QRgb rgb, int width, DcDash dash)
      : bits_(img.bits()),
        stride_(img.bytesPerLine()),
        area_(area),
        near_(area.adjusted(-64, -64, 64, 64)),
        rgb_(rgb),
        w_(std::max(1, width)),
        // The painter inks the pixels whose centres lie inside the stroke,
        // a centre on its upper or left edge not: the same as sampling at
        // the pixels' corners a shade less than half a pixel up and left.
        shift_(-0.5 + 1e-6),
        r_(w_ / 2.0),
        pattern_(PatternOf(dash, w_)) {}

  void Polyline(const TPoint* points, int count) {
    if (count == 1) {
      Solid(points[0], points[0], true);
      return;
    }
    if (pattern_.count == 0) {
      for (int i = 1; i < count; ++i) Solid(points[i - 1], points[i], i == 1);
      return;
    }
    // The dashes run on along the whole polyline; zero-length segments
    // draw nothing, as with the painter. A segment inside one dash is drawn
    // like a solid one, one inside a gap not at all; only those where a
    // dash begins or ends need the dashes' own round ends.
    double phase = 0.0;  // where the segment begins in the pattern
    for (int i = 1; i < count; ++i) {
      const TPoint& a = points[i - 1];
      const TPoint& b = points[i];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double len = std::sqrt(dx * dx + dy * dy);
      if (len <= 0.0) continue;
      switch (Stampable(a, b) ? Cover(phase, len) : Covered::Partly) {
        case Covered::Whole:
          Stamped(a, b, true);
          break;
        case Covered::Partly:
          Dashes(a, b, phase, len);
          break;
        case Covered::Not:
          break;
      }
      phase += len;
      if (phase >= pattern_.period) phase = std::fmod(phase, pattern_.period);
    }
  }

 private:
  // Width 2 covers the same pixels as a 2 x 2 square moved along the line
  // up and left of it, which is far cheaper.
  bool Stampable(const TPoint& a, const TPoint& b) const {
    return w_ == 2 && near_.contains(a.x, a.y) && near_.contains(b.x, b.y);
  }

  void Solid(const TPoint& a, const TPoint& b, bool first) {
    if (Stampable(a, b)) {
      Stamped(a, b, first);
    } else {
      Fill(Capsule(a.x + shift_, a.y + shift_, b.x + shift_, b.y + shift_, r_, first));
    }
  }

  void Fill(const Capsule& capsule) {
    const int y0 = std::max(area_.top(), CeilI(capsule.Top()));
    const int y1 = std::min(area_.bottom(), FloorI(capsule.Bottom()));
    for (int y = y0; y <= y1; ++y) {
      double xl = 0.0, xr = 0.0;
      if (!capsule.Row(y, xl, xr)) continue;
      const int x0 = std::max(area_.left(), CeilI(std::max(xl - 1e-9, -1e9)));
      const int x1 = std::min(area_.right(), FloorI(std::min(xr + 1e-9, 1e9)));
      if (x0 > x1) continue;
      QRgb* row = reinterpret_cast<QRgb*>(bits_ + y * stride_);
      std::fill(row + x0, row + x1 + 1, rgb_);
    }
  }

  void Square(int x, int y) {
    const int top = std::max(area_.top(), y - 1), bottom = std::min(area_.bottom(), y - 2 + w_);
    const int left = std::max(area_.left(), x - 1), right = std::min(area_.right(), x - 2 + w_);
    for (int yy = top; yy <= bottom; ++yy) {
      QRgb* row = reinterpret_cast<QRgb*>(bits_ + yy * stride_);
      for (int xx = left; xx <= right; ++xx) row[xx] = rgb_;
    }
  }

  // The square at each of the line's pixels from a to b, a itself only
  // when first.
  void Stamped(const TPoint& a, const TPoint& b, bool first) {
    int x = a.x, y = a.y;
    const int dx = std::abs(b.x - x), sx = x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - y), sy = y < b.y ? 1 : -1;
    int err = dx + dy;
    if (first) Square(x, y);
    while (x != b.x || y != b.y) {
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
      Square(x, y);
    }
  }

  enum class Covered { Not, Partly, Whole };
  // How much of the stretch from phase to phase + len of the pattern lies
  // in dashes.
  Covered Cover(double phase, double len) const {
    const double end = phase + len;
    for (int k = 0; k < pattern_.count; ++k) {
      if (phase >= pattern_.on[k] && end <= pattern_.off[k]) return Covered::Whole;
      const double nextOn = k + 1 < pattern_.count ? pattern_.on[k + 1] : pattern_.period;
      if (phase >= pattern_.off[k] && end <= nextOn) return Covered::Not;
    }
    return Covered::Partly;
  }

  // The dashes of the part of a..b near the area, each a capsule of its own;
  // the pattern is at phase at a.
  void Dashes(const TPoint& a, const TPoint& b, double phase, double len) {
    const double ax = a.x + shift_, ay = a.y + shift_;
    const double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    double t0 = 0.0, t1 = len;
    const double grow = r_ + 1.0;
    const auto clip = [&t0, &t1](double p, double u, double lo, double hi) {
      if (u == 0.0) {
        if (p < lo || p > hi) t1 = -1.0;
        return;
      }
      double e0 = (lo - p) / u, e1 = (hi - p) / u;
      if (e0 > e1) std::swap(e0, e1);
      t0 = std::max(t0, e0);
      t1 = std::min(t1, e1);
    };
    clip(ax, ux, area_.left() - grow, area_.right() + grow);
    clip(ay, uy, area_.top() - grow, area_.bottom() + grow);
    if (t0 > t1) return;
    const double period = pattern_.period;
    // base: where a period begins, counted from a.
    for (double base = std::floor((phase + t0) / period) * period - phase; base <= t1;
         base += period) {
      for (int k = 0; k < pattern_.count; ++k) {
        const double lo = std::max(t0, base + pattern_.on[k]);
        const double hi = std::min(t1, base + pattern_.off[k]);
        if (lo <= hi) Fill(Capsule(ax + ux * lo, ay + uy * lo, ax + ux * hi, ay + uy * hi, r_, true));
      }
    }
  }

  uchar* bits_;
  qsizetype stride_;
  QRect area_;
  QRect near_;
  QRgb rgb_;
  int w_;
  double shift_;
  double r_;
  DashPattern pattern_;
};
}  // namespace

void RasterPolyline(QImage& img, const QRect& area, QRgb rgb, int width, DcDash dash,
                    const TPoint* points, int count) {
  const QRect inside = area & img.rect();
  if (!points || count <= 0 || inside.isEmpty()) return;
  QVarLengthArray<TPoint, 1506> pts(count);
  for (int i = 0; i < count; ++i) pts[i] = {Lim(points[i].x), Lim(points[i].y)};
  Rasteriser(img, inside, rgb, width, dash).Polyline(pts.constData(), count);
}
