#include "support/pdfwords.h"

#include <QRegularExpression>

#include "support/mainwindow_fixture.h"

std::vector<PdfWord> PdfWords(const QString& pdf, QSizeF& page, int number) {
  const QString n = QString::number(number);
  const QString xml = Exec("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"}).out;
  const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
  const QRegularExpressionMatch p = pageRe.match(xml);
  page = QSizeF(p.captured(1).toDouble(), p.captured(2).toDouble());
  const QRegularExpression wordRe(
      R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
  std::vector<PdfWord> words;
  for (auto it = wordRe.globalMatch(xml); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
    const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
    words.push_back({m.captured(5), QRectF(from, to)});
  }
  return words;
}

QStringList WordsOffPaperOrOverlapping(const std::vector<PdfWord>& words, QSizeF page) {
  QStringList faults;
  const QRectF paper(QPointF(0, 0), page);
  for (size_t i = 0; i < words.size(); ++i) {
    const PdfWord& w = words[i];
    if (!paper.contains(w.box)) faults << w.text + " off the paper";
    for (size_t j = i + 1; j < words.size(); ++j)
      if (w.box.intersects(words[j].box)) faults << w.text + " over " + words[j].text;
  }
  return faults;
}
