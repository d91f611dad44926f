#pragma once
// The words of a PDF page with their boxes, as poppler reads them, for
// tests that check where a printout puts its texts.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

struct PdfWord {
  QString text;
  QRectF box;
};

/// The words of page (from 1) of pdf with their boxes, and the page's size,
/// in points.
std::vector<PdfWord> PdfWords(const QString& pdf, QSizeF& page, int number = 1);

/// A message for every word that leaves the paper or overlaps another word;
/// none when each lies on the paper apart from the others.
QStringList WordsOffPaperOrOverlapping(const std::vector<PdfWord>& words, QSizeF page);
