// Fields of settings rows that a page's hand-made layout does not place: a
// row that names its page gets its field there without any other edit.
#include <QBoxLayout>
#include <QCoreApplication>

#include "gui/settings/SettingsPages.h"
#include "gui/settings/pagebuilder.h"
#include "settings/settingrows.h"

using namespace pages;

namespace {

QWidget* FieldFor(const TSettingRow& row, const QString& name, const QString& caption) {
  switch (row.Type) {
    case TZTIniValueType::Boolean:
      return row.RadioGroup ? static_cast<QWidget*>(Radio(name, caption)) : Check(name, caption);
    case TZTIniValueType::Integer:
    case TZTIniValueType::Float:
      return Field(name, Kind::Number);
    case TZTIniValueType::Color:
      return Field(name, Kind::Color);
    case TZTIniValueType::Pen:
      return Field(name, Kind::Pen);
    case TZTIniValueType::Font:
      return Field(name, Kind::Font);
    case TZTIniValueType::String:
    case TZTIniValueType::WindowPosition:
      break;
  }
  return Field(name, Kind::Text, 200);
}

}  // namespace

void AddRowFields(QWidget* page, const char* pageName) {
  QGridLayout* grid = nullptr;
  int line = 0;
  for (const TSettingRow& row : SettingRows()) {
    if (!row.Page || std::string_view(row.Page) != pageName) continue;
    const int count = row.Type == TZTIniValueType::WindowPosition ? 0 : std::abs(row.Count);
    const std::vector<std::string> names = ControlNames(row, count);
    for (size_t k = 0; k < names.size(); ++k) {
      const QString name = QString::fromStdString(names[k]);
      if (name.isEmpty() || page->findChild<QWidget*>(name)) continue;
      if (!grid) {
        auto* group = Group("GB_MoreSettings", TSettingsPage::tr("Weitere"));
        grid = TightGrid(group, 2);
        if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
          box->insertWidget(box->count() - 1, group, 0, Qt::AlignLeft);
        else
          group->setParent(page);
      }
      // A row that names its page names its caption for the translation too.
      QString caption = row.Caption ? QCoreApplication::translate(row.Page, row.Caption)
                                    : QString::fromUtf8(row.Key);
      if (names.size() > 1) caption += QString(" %1").arg(k + 1);
      QWidget* field = FieldFor(row, name, caption);
      if (row.Type == TZTIniValueType::Boolean) {
        grid->addWidget(field, line++, 0, 1, 2);
      } else {
        grid->addWidget(Label(caption), line, 0);
        grid->addWidget(field, line++, 1);
      }
    }
  }
}
