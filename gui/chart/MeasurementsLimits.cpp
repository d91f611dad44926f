#include "gui/chart/MeasurementsLimits.h"

#include <QCoreApplication>
#include <QLocale>

#include "chart/limitstats.h"
#include "chart/vqrdiagram.h"

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("TF_Measurements", text); }

QString Number(std::optional<double> v, int decimals) {
  if (!v) return QString();
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(*v, 'f', decimals);
}

}  // namespace

QStringList LimitColumnHeader(const QString& suffix) {
  QStringList header;
  static const char* const columns[] = {
      QT_TRANSLATE_NOOP("TF_Measurements", "Grenze unten"),
      QT_TRANSLATE_NOOP("TF_Measurements", "Grenze oben"),
      QT_TRANSLATE_NOOP("TF_Measurements", "außerhalb [h]"),
      QT_TRANSLATE_NOOP("TF_Measurements", "außerhalb [%]"),
      QT_TRANSLATE_NOOP("TF_Measurements", "Ausflüge"),
      QT_TRANSLATE_NOOP("TF_Measurements", "erste Überschreitung [h]"),
      QT_TRANSLATE_NOOP("TF_Measurements", "größte Abweichung")};
  for (const char* c : columns) header << Tr(c) + suffix;
  return header;
}

bool AnyLimitShown(const TVQRDiagram& diagram, const std::vector<int>& channels) {
  for (const int ch : channels)
    if (diagram.Limits().Has(ch)) return true;
  return false;
}

QStringList LimitCells(const TVQRDiagram& diagram, int ch, const TMeasuredRange& range,
                       size_t groups, int d) {
  const qsizetype columns = LimitColumnHeader(QString()).size();
  QStringList cells;
  const std::vector<TLimitVerdict> rows = LimitVerdictRows(diagram, ch, range, diagram.Limits());
  for (size_t k = 0; k < groups; ++k) {
    if (k >= rows.size()) {
      for (qsizetype c = 0; c < columns; ++c) cells << QString();
      continue;
    }
    const TLimitStats& s = rows[k].Stats;
    cells << Number(s.Lower, d) << Number(s.Upper, d) << Number(s.OutsideHours, 4)
          << Number(s.OutsidePct, 2) << QString::number(s.Excursions)
          << Number(s.FirstCrossingHours, 4) << Number(s.LargestExcursion, d);
  }
  return cells;
}
