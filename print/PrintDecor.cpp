#include "print/PrintDecor.h"

#include <QCoreApplication>
#include <QPainter>
#include <ctime>

#include "chart/qt/qpainterdc.h"
#include "data/vqrtypes.h"
#include "print/BackGnd.h"
#include "print/Logo.h"
#include "print/Report.h"
#include "settings/settings.h"

namespace {
QString Trimmed(const std::string& s) { return QString::fromStdString(s).trimmed(); }
}  // namespace

TVQRPrintDecor::TVQRPrintDecor() = default;
TVQRPrintDecor::~TVQRPrintDecor() = default;

std::string TVQRPrintDecor::FailureText(TDecorItem item, const std::string& file) {
  const char* text =
      item == TDecorItem::Logo
          ? QT_TRANSLATE_NOOP("TVQRPrintDecor", "Datei %1 nicht gefunden oder falsches Format!")
          : QT_TRANSLATE_NOOP("TVQRPrintDecor", "Datei %1 nicht gefunden!");
  return QCoreApplication::translate("TVQRPrintDecor", text)
      .arg(QString::fromStdString(file))
      .toStdString();
}

bool TVQRPrintDecor::Load(TVQRShowSettings& settings, const FailedFn& failed) {
  complete_ = true;
  paperInUse_ = {};
  logoInUse_ = false;
  auto fails = [&](TDecorItem item, const QString& name) {
    complete_ = false;
    const std::string file = name.toStdString();
    return !failed || failed(item, file, FailureText(item, file));
  };

  const TVQRShowSettings::Setting files[] = {settings.PrinterBackGround1,
                                             settings.PrinterBackGround2};
  for (size_t k = 0; k < papers_.size(); ++k) {
    const QString name = Trimmed(files[k]->GetString(1));
    if (name.isEmpty()) continue;
    if (!papers_[k]) papers_[k] = std::make_unique<TVQRPaper>();
    papers_[k]->SetFile(name);
    if (!papers_[k]->Load() &&
        !fails(k == 0 ? TDecorItem::Background1 : TDecorItem::Background2, name))
      return false;
    paperInUse_[k] = true;
  }
  const QString name = Trimmed(settings.LogoFile->GetString(1));
  if (!name.isEmpty()) {
    if (!logo_) logo_ = std::make_unique<TVQRLogo>();
    logo_->SetFile(name);
    if (!logo_->Load() && !fails(TDecorItem::Logo, name)) return false;
    logoInUse_ = true;
  }
  return true;
}

void TVQRPrintDecor::DrawBackgrounds(TVQRMetaData& meta, const TRect& page) {
  for (size_t k = 0; k < papers_.size(); ++k) {
    if (!paperInUse_[k] || !papers_[k]) continue;
    paperInUse_[k] = false;
    TVQRPaper& paper = *papers_[k];
    // One that failed to load was cleared by SetFile and draws nothing.
    if (painter_ && paper.Loaded()) {
      paper.FillFields(meta);
      paper.DrawOnCanvas(
          *painter_, QRect(QPoint(page.left, page.top), QPoint(page.right - 1, page.bottom - 1)));
    }
    paper.Release();
  }
}

void TVQRPrintDecor::DrawLogo(int32_t x, int32_t y, float factorX, float factorY) {
  if (!logoInUse_ || !logo_) return;
  logoInUse_ = false;
  if (painter_) {
    logo_->SetPlacement(x, y, factorX, factorY);
    logo_->Draw(*painter_);
  }
  logo_->Release();
}

bool PrintSessionPage(TVQRSession& session, QPainter& painter, const QRect& page,
                      TVQRPrintDecor& decor) {
  if (!painter.isActive()) return false;
  {
    QPainterDC dc(painter);
    decor.SetPainter(&painter);
    // With "Kopfzeile" on, the header line names what the page shows.
    const std::optional<TPageHeader> header = OnePageHeader(session, std::time(nullptr));
    session.PrintPage(
        dc, TRect{page.left(), page.top(), page.left() + page.width(), page.top() + page.height()},
        &decor, header ? &*header : nullptr, {});
    decor.SetPainter(nullptr);
  }
  return painter.isActive();
}
