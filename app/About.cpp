#include "app/About.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/appicons.h"

TFrm_About::TFrm_About(QWidget* parent) : QDialog(parent) {
  setObjectName("Frm_About");
  setWindowTitle(tr("Über VqrShow4"));

  auto* image = new QLabel(this);
  image->setObjectName("Image1");
  image->setPixmap(AppIcon().pixmap(64, 64));

  auto* title = new QLabel(tr("Velqor Datenauswertung"), this);
  title->setObjectName("Lb_AboutTitle");
  QFont f("Arial");
  f.setPixelSize(18);
  f.setBold(true);
  title->setFont(f);
  auto* version = new QLabel(tr("VqrShow4 Version %1").arg(VQR_VERSION), this);
  version->setObjectName("Lb_AboutVersion");

  auto* ok = new QPushButton(tr("Ok"), this);
  ok->setObjectName("Bt_AboutOk");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(version);
  text->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(image, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addStretch(1);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(20, 20, 20, 14);
  v->addLayout(top);
  v->addSpacing(12);
  v->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}
