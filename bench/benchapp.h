#pragma once
// What the painting benchmarks share: the one Qt application object, made on
// first use (offscreen unless QT_QPA_PLATFORM says otherwise), and the
// channel window's repaint into a buffer of its size.

#include <benchmark/benchmark.h>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"

inline QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "vqrbench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  return app;
}

/// Times the channel window's repaint of diagram at the window size given
/// by the benchmark's two arguments (width, height).
inline void RepaintWindow(benchmark::State& state, TVQRDiagram& diagram) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  QImage img(w, h, QImage::Format_RGB32);
  for (auto _ : state) {
    img.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&img);
    QPainterDC dc(painter);
    PaintDiagram(diagram, dc, DiagramDrawRect(w, h - 2));
    painter.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}
