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

// The line through (ax, ay) in the unit direction (ux, uy).
struct Line {
  Line(double x, double y, double dirX, double dirY)
      : ax(x),
        ay(y),
        ux(dirX),
        uy(dirY),
        invUx(dirX != 0.0 ? 1.0 / dirX : 0.0),
        invUy(dirY != 0.0 ? 1.0 / dirY : 0.0) {}
  /// The line from a towards b (any direction when they coincide); len
  /// becomes their distance.
  static Line Through(double ax, double ay, double bx, double by, double& len) {
    len = std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
    if (len <= 0.0) return Line(ax, ay, 1.0, 0.0);
    return Line(ax, ay, (bx - ax) / len, (by - ay) / len);
  }
  double ax, ay, ux, uy, invUx, invUy;
};

// The stretch lo..hi of a line widened by r, with round ends. Row gives the
// x interval of the points of row y inside it; false when the row misses it.
class Capsule {
 public:
  /// Without startCap the round end at lo is left out (a polyline's
  /// previous piece already drew it).
  Capsule(const Line& line, double lo, double hi, double r, bool startCap)
      : l_(line),
        lo_(lo),
        hi_(hi),
        r_(r),
        x0_(line.ax + line.ux * lo),
        y0_(line.ay + line.uy * lo),
        x1_(line.ax + line.ux * hi),
        y1_(line.ay + line.uy * hi),
        startCap_(startCap) {}

  double Top() const { return std::min(y0_, y1_) - r_; }
  double Bottom() const { return std::max(y0_, y1_) + r_; }

  bool Row(double y, double& xl, double& xr) const {
    xl = std::numeric_limits<double>::infinity();
    xr = -xl;
    if (startCap_) Disk(x0_, y0_, y, xl, xr);
    Disk(x1_, y1_, y, xl, xr);
    // Along the line: lo <= dx ux + dy uy <= hi; across it:
    // |dy ux - dx uy| <= r; both bound dx = x - ax linearly.
    const double dy = y - l_.ay;
    double lo = -std::numeric_limits<double>::infinity();
    double hi = -lo;
    const double along = dy * l_.uy;
    if (l_.ux != 0.0) {
      double p = (lo_ - along) * l_.invUx, q = (hi_ - along) * l_.invUx;
      if (p > q) std::swap(p, q);
      lo = p;
      hi = q;
    } else if (along < lo_ || along > hi_) {
      return xl <= xr;
    }
    const double across = dy * l_.ux;
    if (l_.uy != 0.0) {
      double p = (across - r_) * l_.invUy, q = (across + r_) * l_.invUy;
      if (p > q) std::swap(p, q);
      lo = std::max(lo, p);
      hi = std::min(hi, q);
    } else if (std::abs(across) > r_) {
      return xl <= xr;
    }
    if (lo <= hi) {
      xl = std::min(xl, l_.ax + lo);
      xr = std::max(xr, l_.ax + hi);
    }
    return xl <= xr;
  }

 private:
  void Disk(double cx, double cy, double y, double& xl, double& xr) const {
    const double d = y - cy;
    if (std::abs(d) > r_) return;
    const double h = std::sqrt(r_ * r_ - d * d);
    xl = std::min(xl, cx - h);
    xr = std::max(xr, cx + h);
  }

  const Line& l_;
  double lo_, hi_, r_;
  double x0_, y0_, x1_, y1_;
  bool startCap_;
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
      const bool stampable = Stampable(a, b);
      switch (stampable ? Cover(phase, len) : Covered::Partly) {
        case Covered::Whole:
          Stamped(a, b, true);
          break;
        case Covered::Partly:
          if (stampable)
            StampedDashes(a, b, phase, len);
          else
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
  bool Stampable(const TPoint& a, const TPoint& b) const { return w_ == 2 && Near(a) && Near(b); }

  // Whether p lies in the area or close to it.
  bool Near(const TPoint& p) const {
    return p.x >= near_.left() && p.x <= near_.right() && p.y >= near_.top() &&
           p.y <= near_.bottom();
  }

  void Solid(const TPoint& a, const TPoint& b, bool first) {
    if (Stampable(a, b)) {
      Stamped(a, b, first);
    } else {
      double len = 0.0;
      const Line line = Line::Through(a.x + shift_, a.y + shift_, b.x + shift_, b.y + shift_, len);
      Fill(Capsule(line, 0.0, len, r_, first));
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
    const Line line(a.x + shift_, a.y + shift_, (b.x - a.x) / len, (b.y - a.y) / len);
    double t0 = 0.0, t1 = len;
    if (!Near(a) || !Near(b)) {
      const double grow = r_ + 1.0;
      const auto clip = [&t0, &t1](double p, double u, double inv, double lo, double hi) {
        if (u == 0.0) {
          if (p < lo || p > hi) t1 = -1.0;
          return;
        }
        double e0 = (lo - p) * inv, e1 = (hi - p) * inv;
        if (e0 > e1) std::swap(e0, e1);
        t0 = std::max(t0, e0);
        t1 = std::min(t1, e1);
      };
      clip(line.ax, line.ux, line.invUx, area_.left() - grow, area_.right() + grow);
      clip(line.ay, line.uy, line.invUy, area_.top() - grow, area_.bottom() + grow);
      if (t0 > t1) return;
    }
    const double period = pattern_.period;
    // base: where a period begins, counted from a.
    for (double base = std::floor((phase + t0) / period) * period - phase; base <= t1;
         base += period) {
      for (int k = 0; k < pattern_.count; ++k) {
        const double lo = std::max(t0, base + pattern_.on[k]);
        const double hi = std::min(t1, base + pattern_.off[k]);
        if (lo <= hi) Fill(Capsule(line, lo, hi, r_, true));
      }
    }
  }

  // Width 2 only: the squares along the line where it lies in a dash, and
  // the dashes' round ends as they are.
  void StampedDashes(const TPoint& a, const TPoint& b, double phase, double len) {
    QVarLengthArray<std::pair<double, double>, 16> pieces;
    const double period = pattern_.period;
    for (double base = -phase; base <= len; base += period)
      for (int k = 0; k < pattern_.count; ++k) {
        const double lo = std::max(0.0, base + pattern_.on[k]);
        const double hi = std::min(len, base + pattern_.off[k]);
        if (lo <= hi) pieces.push_back({lo, hi});
      }
    if (pieces.isEmpty()) return;
    const double ax = a.x + shift_, ay = a.y + shift_;
    const double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    for (const auto& [lo, hi] : pieces) {
      if (lo > 0.0) Dot(ax + ux * lo, ay + uy * lo);
      if (hi < len) Dot(ax + ux * hi, ay + uy * hi);
    }
    const double byX = std::abs(ux), byY = std::abs(uy);
    int x = a.x, y = a.y;
    const int dx = std::abs(b.x - x), sx = x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - y), sy = y < b.y ? 1 : -1;
    int err = dx + dy;
    double t = 0.0;
    int j = 0;
    const auto stamp = [&] {
      while (j < pieces.size() && t > pieces[j].second + 1e-9) ++j;
      if (j < pieces.size() && t >= pieces[j].first - 1e-9) Square(x, y);
    };
    stamp();
    while (x != b.x || y != b.y) {
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
        t += byX;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
        t += byY;
      }
      stamp();
    }
  }

  // The pen's round dot at (cx, cy).
  void Dot(double cx, double cy) {
    const int y0 = std::max(area_.top(), CeilI(cy - r_)),
              y1 = std::min(area_.bottom(), FloorI(cy + r_));
    for (int y = y0; y <= y1; ++y) {
      const double d = y - cy;
      const double h = std::sqrt(std::max(0.0, r_ * r_ - d * d));
      const int x0 = std::max(area_.left(), CeilI(cx - h - 1e-9));
      const int x1 = std::min(area_.right(), FloorI(cx + h + 1e-9));
      QRgb* row = reinterpret_cast<QRgb*>(bits_ + y * stride_);
      for (int x = x0; x <= x1; ++x) row[x] = rgb_;
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
