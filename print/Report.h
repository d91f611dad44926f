#pragma once
// A report of several printed pages as one job: a page per window (the
// overview, channel and combination windows with their zoom and markers),
// then the table of "Messwerte" with the limit verdicts and the notes. Every
// page has the printed page's layout (backgrounds, logo, borders, scaling)
// and a header line with its page number.

#include <QCoreApplication>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/pageheader.h"
#include "session/Report.h"

class QPaintDevice;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class TVQRPrintDecor;
class TVQRSession;

/// "Übersicht", "Kanal 3", "Kombination 1" or "Messwerte" (0, 1..16, 18/19, -1).
QString ReportWindowName(int mode);
constexpr int kReportTablePage = -1;

/// The header line: file, recording start, window, print date; with pages
/// given, "Seite page von pages" on the right.
TPageHeader MakePageHeader(const TVQRSession& session, const QString& window, std::time_t printed,
                           int page = 0, int pages = 0);

/// The header of the one-page print of the current window when the setting
/// "Kopfzeile" (Printer/HeaderLine) is on; none when it is off.
std::optional<TPageHeader> OnePageHeader(TVQRSession& session, std::time_t printed);

/// The report's title in the document's metadata.
QString ReportTitle(const std::string& recordingName);

/// A PDF file made as an archive document: PDF/A-1b, with the report's title
/// (which names the recording) and the creator; Qt adds the creation date.
void MakeArchivePdf(QPdfWriter& pdf, const std::string& recordingName);

class TVQRReport {
  Q_DECLARE_TR_FUNCTIONS(TVQRReport)

 public:
  /// The session stays as it was: the window it shows, its zoom and its
  /// layout are restored after every Layout and Print.
  TVQRReport(TVQRSession& session, TReportContent content, std::time_t printed);
  ~TVQRReport();
  TVQRReport(const TVQRReport&) = delete;
  TVQRReport& operator=(const TVQRReport&) = delete;

  /// Lays the pages out for the printable area page (device pixels from 0, 0)
  /// of device; takes the "Messwerte" of every window. Returns the page count.
  int Layout(const QRect& page, QPaintDevice& device);
  int PageCount() const;
  /// What page k (0..) shows, as its header names it.
  QString PageName(int k) const;

  /// Prints every page onto device through painter (begun here), a new page
  /// between them. loadDecor loads the decorations before each page (they
  /// are released once drawn); false from it cancels. False when the device
  /// failed or the print was cancelled.
  bool Print(QPainter& painter, QPagedPaintDevice& device,
             const std::function<bool(TVQRPrintDecor&)>& loadDecor, TVQRPrintDecor& decor);

 private:
  struct TTable;
  struct TLine;
  struct TPage;
  void BuildTables();
  QRect LetterheadInk(QPaintDevice& device);
  void PlaceHeader(QPaintDevice& device);
  void KeepClearOfHeader(QPaintDevice& device);
  void DrawTablePage(const TPage& page, QPainter& painter, const QRect& frame);
  void DrawOverview(QPainter& painter, const QRect& frame);

  TVQRSession& session_;
  TReportContent content_;
  std::time_t printed_;
  QRect page_;
  int dpi_ = 600;
  QRect frame_;               // the page inside the borders
  double diagramText_ = 0.0;  // the diagram's text height on its printed page
  double fontHeight_ = 0.0;   // of the table, in device pixels
  int plotTop_ = 0;           // where the diagram's plot begins on the page
  int headerTop_ = 0;         // where the header line begins on the page
  int contentTop_ = 0;        // below the frame's top: where tables and thumbnails begin
  std::vector<TTable> tables_;
  std::vector<TPage> pages_;
};
