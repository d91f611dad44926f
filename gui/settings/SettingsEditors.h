#pragma once
// The editors behind the settings pages: colour, pen and font fields open
// their dialogs, the grid-style field its menu, the "..." buttons a file or
// folder choice, and "Anwenden" hands the page to the diagram.

#include <QObject>
#include <memory>

class QMenu;
class QString;
class QWidget;
class IZTControl;
class TQtColorDialog;
class TQtControlProvider;
class TQtPenDialog;
class TSettingsBinder;
class TVQRShowSettings;
class TZTEditField;
class TZTiniSettingValue;
struct TFileRequest;

/// What the editors need from the window that shows the pages.
class ISettingsEditorsHost {
 public:
  virtual ~ISettingsEditorsHost() = default;
  /// Chooses a file or folder; the path, or "" when cancelled.
  virtual QString ChooseFileFor(const TFileRequest& request) = 0;
  /// One of the "Anwenden" buttons was clicked.
  virtual void ApplyDiagramPage() = 0;
};

class TSettingsEditors : public QObject {
  Q_OBJECT
 public:
  /// The editors of window's settings pages; a chosen file or folder goes
  /// through binder into settings at once. window, settings, binder,
  /// controls and host must outlive this object.
  TSettingsEditors(QWidget& window, TVQRShowSettings& settings, TSettingsBinder& binder,
                   TQtControlProvider& controls, ISettingsEditorsHost& host);
  ~TSettingsEditors() override;

  /// Connects the editors of the fields and buttons of a page just built.
  void ConnectPage(QWidget& page);

 private:
  void Connect();
  /// The colour and pen editors of a colour or pen field: the field shows
  /// "?" (white) or "???" while the dialog is open and keeps its value when
  /// it is cancelled.
  void EditColor(IZTControl* field);
  void EditPen(IZTControl* field);
  IZTControl* ControlOf(const TZTEditField* field);
  void EditFont(TZTEditField* color, TZTEditField* font, TZTEditField* size);
  void SelectFolder(const QString& field, TZTiniSettingValue* setting);
  void SelectFile(const QString& field, TZTiniSettingValue* setting, const QString& filter,
                  const QString& title);

  QWidget& window_;
  TVQRShowSettings& settings_;
  TSettingsBinder& binder_;
  TQtControlProvider& controls_;
  ISettingsEditorsHost& host_;
  std::unique_ptr<TQtColorDialog> colorDialog_;
  std::unique_ptr<TQtPenDialog> penDialog_;
  QMenu* gridMenu_ = nullptr;
};
