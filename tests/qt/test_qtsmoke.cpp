#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

// The diagrams ask for "Arial"; fontconfig must map it to a metric-compatible face.
TEST(Fonts, ArialResolvesToAMetricCompatibleFace) {
  QFont f("Arial");
  f.setPixelSize(20);
  const QString family = QFontInfo(f).family();
  EXPECT_TRUE(family.contains("Arial") || family.contains("Liberation Sans"))
      << family.toStdString();
}
