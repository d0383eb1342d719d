#include "programs/quarvel-view/segy_panel.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "window/segy/ksegy_analysis.h"
#include "window/segy/segy_section_picture.h"
#include "qt/picture/kpicture_view.h"
#include "qt/view/cbutton_solvane.h"
#include "qt/view/kpanel_view.h"

bool IsSegyPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == "sgy" || suffix == "segy";
}

namespace {

// The first inline (or the first traces) as variable density; what went
// wrong in its place when the samples cannot be shown.
QWidget* SectionTab(const QString& path) {
  KResultWith<std::unique_ptr<KSegySectionPicture>> picture = OpenSegySectionPicture(path.toLocal8Bit().toStdString());
  if (!picture) {
    auto* label = new QLabel(QString::fromLocal8Bit(picture.message().c_str()));
    label->setWordWrap(true);
    return label;
  }
  auto* section = new KPictureView;
  section->SetPicture(std::move(picture.value()));
  section->setToolTip("Wheel zooms about the cursor; drag pans; arrows and Page keys scroll, Home fits");
  return section;
}

}  // namespace

KResult OpenSegyPanel(const QString& path, QuarvelWindow& drawing, QWidget* parent) {
  auto analysis = std::make_unique<KSegyAnalysis>();
  if (KResult created = analysis->Create(path.toLocal8Bit().toStdString()); !created) return created;
  KResultWith<std::string> positions = analysis->PositionsText();
  if (!positions) return positions;
  drawing.OnOpenDocumentMem(positions.value());

  QString status = QString::number(analysis->Layout().traces) + " traces";
  for (const KWarning& warning : analysis->Warnings())
    status += "; " + QString::fromLocal8Bit(WarningText(warning).c_str());

  auto* window = new QWidget(parent, Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(QFileInfo(path).fileName() + " - SEG-Y panel");
  auto* view = new KPanelView(std::move(analysis));
  view->setToolTip("Wheel scrolls (Shift: sideways, Ctrl: zoom); drag moves; arrows and Page keys scroll, "
                   "+ and - zoom, Home fits");
  auto* emblem = new CButtonSolvane;
  emblem->setFixedSize(101, 51);
  emblem->setToolTip("Fit the panel to the window");
  auto* label = new QLabel(status);
  label->setWordWrap(true);
  QObject::connect(emblem, &QPushButton::clicked, view, [view] {
    view->Panel().Extend();
    view->update();
  });
  view->onCellClicked = [view, label](int cell) {
    label->setText(QString("cell %1: %2").arg(cell).arg(QString::fromLocal8Bit(view->Panel().GetPoint(cell))));
  };
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(emblem);
  bottom->addWidget(label, 1);
  auto* headers = new QWidget;
  auto* layout = new QVBoxLayout(headers);
  layout->addWidget(view, 1);
  layout->addLayout(bottom);
  auto* tabs = new QTabWidget;
  tabs->addTab(headers, "Headers");
  tabs->addTab(SectionTab(path), "Section");
  (new QVBoxLayout(window))->addWidget(tabs);
  window->resize(1200, 760);
  window->show();
  view->setFocus();
  return KResult::Ok();
}
