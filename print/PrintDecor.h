#pragma once
// What the printed page carries besides the diagram: up to two rich-text
// backgrounds and a logo, loaded from the files the settings name at the
// start of a print and released once drawn. Also the one function that puts
// a session's page on a printer or PDF writer, shared by the program's print
// command and vqrtool.

#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "session/Session.h"

class QPainter;
class TVQRLogo;
class TVQRPaper;
class TVQRShowSettings;

enum class TDecorItem { Background1, Background2, Logo };

class TVQRPrintDecor : public IPrintDecoration {
 public:
  /// Called for a named file that does not load: true = print without it,
  /// false = cancel the print.
  using FailedFn =
      std::function<bool(TDecorItem, const std::string& file, const std::string& message)>;

  TVQRPrintDecor();
  ~TVQRPrintDecor() override;
  TVQRPrintDecor(const TVQRPrintDecor&) = delete;
  TVQRPrintDecor& operator=(const TVQRPrintDecor&) = delete;

  /// Reads Printer/BackGround1, BackGround2 and Logo/File (trimmed; empty =
  /// none) and loads each named file. A file that fails calls failed with
  /// "Datei NAME nicht gefunden!" (backgrounds) or "Datei NAME nicht gefunden
  /// oder falsches Format!" (logo). False when failed cancels: nothing to print.
  bool Load(TVQRShowSettings& settings, const FailedFn& failed);
  /// True when every named file loaded.
  bool Complete() const { return complete_; }

  /// The painter the decorations draw on; set before the page is drawn.
  void SetPainter(QPainter* painter) { painter_ = painter; }

  /// Fills each background's placeholders from meta, draws background 1, then
  /// 2 over page, and releases them.
  void DrawBackgrounds(TVQRMetaData& meta, const TRect& page) override;
  /// Places and draws the logo, then releases it.
  void DrawLogo(int32_t x, int32_t y, float factorX, float factorY) override;

  /// The message for a file of item that did not load.
  static std::string FailureText(TDecorItem item, const std::string& file);

 private:
  QPainter* painter_ = nullptr;
  // Created at their first use and kept; each holds its file only from Load
  // until it has been drawn.
  std::array<std::unique_ptr<TVQRPaper>, 2> papers_;
  std::unique_ptr<TVQRLogo> logo_;
  std::array<bool, 2> paperInUse_{};
  bool logoInUse_ = false;
  bool complete_ = true;
};

/// One printed page: page is the printable area in device pixels of the
/// painter's device (a QPrinter or QPdfWriter, whose resolution the page
/// set-up takes), from (0, 0). Draws decor's backgrounds, the diagram of the
/// session's current window mode and decor's logo. False when the painter
/// could not draw.
bool PrintSessionPage(TVQRSession& session, QPainter& painter, const QRect& page,
                      TVQRPrintDecor& decor);
