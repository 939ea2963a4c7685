#include "qt/tmform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyle>
#include <cmath>
#include <initializer_list>

#include "app/keys.h"
#include "app/path_label.h"
#include "qt/hosting.h"

namespace tht::qt {

using namespace tht::app;
namespace {

// "MS Sans Serif" where it is installed, else a sans font of the same
// proportions; 11 pixels high, as the window's font is.
QFont sansSerif(bool bold) {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans"});
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

QFont arialBold16() {
  QFont font;
  font.setFamilies({"Arial", "Liberation Sans", "Arimo", "DejaVu Sans"});
  font.setPixelSize(16);
  font.setBold(true);
  return font;
}

QColor colourOf(int32_t value) {
  const Rgb rgb = fromColorRef(static_cast<unsigned>(value));
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// A label as the component table describes it.
QLabel* label(Component component, QWidget* parent, const QColor& windowText) {
  const ComponentSpec& entry = componentTable()[component];
  auto* widget = new QLabel(QString::fromLocal8Bit(entry.caption), parent);
  widget->setFont(entry.font == FontKind::Heading ? arialBold16() : sansSerif(entry.font == FontKind::Bold));
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, entry.textColour < 0 ? windowText : colourOf(entry.textColour));
  if (entry.background >= 0) {
    palette.setColor(QPalette::Window, colourOf(entry.background));
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
  if (entry.box.width == 0) widget->adjustSize();
  if (entry.font == FontKind::Heading) {
    widget->setWordWrap(true);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  return widget;
}

GlyphButton* button(Component component, Glyph glyph, QWidget* parent) {
  return new GlyphButton(QString::fromLocal8Bit(componentTable()[component].caption), glyph, parent);
}

}  // namespace

TMForm::TMForm(FormSettings settings, MessageSink& sink)
    : settings_(std::move(settings)),
      sink_(sink),
      notifier_(sink),
      controller_(settings_.iniPath, settings_.workFolder, notifier_, sink) {
  setWindowTitle(kWindowCaption);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFont(sansSerif(false));
  setAutoFillBackground(true);  // the button-face colour of the palette
  textHeight_ = QFontMetrics(font()).height();
  scale_ = static_cast<double>(textHeight_) / kDesignTextHeight;

  const QColor windowText = palette().color(QPalette::WindowText);
  const auto reportError = [this](const std::string& message) { sink_.error(message); };

  // The three panels and what is in them, in their order of declaration.
  Draw3D2 = new GradientPanel(kRunPanelGradient, this);
  Label3 = label(kLabel3, Draw3D2, windowText);
  BExportar = button(kBExportar, Glyph::Tick, Draw3D2);
  Draw3D3 = new GradientPanel(kRunPanelGradient, this);
  Label4 = label(kLabel4, Draw3D3, windowText);
  BImportar = button(kBImportar, Glyph::Tick, Draw3D3);
  Draw3D1 = new GradientPanel(kFolderPanelGradient, this);
  Label1 = label(kLabel1, Draw3D1, windowText);
  Label2 = label(kLabel2, Draw3D1, windowText);
  BClose = button(kBClose, Glyph::Exit, Draw3D1);
  Directorios = new FolderList(Draw3D1, reportError);
  Unidades = new DriveList(Draw3D1, *Directorios, settings_.drives, reportError);
  Label5 = label(kLabel5, Draw3D1, windowText);
  Label6 = label(kLabel6, Draw3D1, windowText);
  // Where the fallback font makes "Ruta Actual:" wider than the original,
  // its opaque background must not hide the start of the path.
  Label2->raise();
  place(standAloneLayout(textHeight_));

  setTabOrder(BExportar, BImportar);
  setTabOrder(BImportar, BClose);
  setTabOrder(BClose, Directorios);
  setTabOrder(Directorios, Unidades);
  BExportar->setFocus();

  connect(BExportar, &QPushButton::clicked, this, [this] { BExportarClick(); });
  connect(BImportar, &QPushButton::clicked, this, [this] { BImportarClick(); });
  connect(BClose, &QPushButton::clicked, this, [this] { BCloseClick(); });
  // Alt+F4 closes the window itself: hosted, no window manager sees the
  // window's keys, and without one stand-alone neither.
  auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  connect(altF4, &QShortcut::activated, this, [this] { close(); });
  Directorios->folderChanged = [this] {
    updatePathLabel();
    Unidades->followFolderList();
  };
  for (QWidget* watched : std::initializer_list<QWidget*>{BExportar, BImportar, BClose, Directorios, Unidades})
    watched->installEventFilter(this);
  updatePathLabel();
}

int TMForm::px(int value) const { return scaled(value, textHeight_); }

// Every component at its place; the labels that follow their text keep
// their size.
void TMForm::place(const WindowLayout& layout) {
  QWidget* widgets[kComponentCount] = {Draw3D2, Label3, BExportar, Draw3D3, Label4, BImportar, Draw3D1,
                                       Label1,  Label2, BClose,    Directorios, Unidades, Label5, Label6};
  for (int i = 0; i < kComponentCount; ++i) {
    const Rect& box = layout.boxes[i];
    const QSize own = widgets[i]->size();
    const int width = box.width > 0 ? box.width : own.width();
    const int height = box.height > 0 ? box.height : (widgets[i] == Unidades ? Unidades->sizeHint().height()
                                                                             : own.height());
    widgets[i]->setGeometry(box.left, box.top, width, height);
  }
  Draw3D2->setVisible(layout.exportShown);
  Draw3D3->setVisible(layout.importShown);
  setFixedSize(layout.width, layout.height);
}

void TMForm::updatePathLabel() {
  const QFontMetrics metrics(Label2->font());
  const std::string shown =
      shortenPath(Directorios->currentFolder(), px(kPathLabelWidth), [&metrics](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromLocal8Bit(text.c_str()));
      });
  Label2->setText(QString::fromLocal8Bit(shown.c_str()));
  Label2->adjustSize();
}

bool TMForm::FormCreate() {
  const LaunchPlan plan = controller_.FormCreate(settings_.parameters);
  if (!plan.hosted) return true;  // an invalid handle has been shown: stand-alone
  // Hosted, the window keeps the stand-alone window's outer size, frame and
  // caption bar included, all of it now its own area.
  QStyle* style = this->style();
  const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSize outer(width() + 2 * frame, height() + style->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * frame);
  // A host window destroyed later takes this window with it: the program
  // then ends as a close would end it (an error already shown ends it too).
  const std::string problem = hostUnder(*this, plan.handle, [this] {
    if (!close()) QCoreApplication::quit();
  });
  if (!problem.empty()) {
    sink_.error(problem);
    return false;
  }
  controller_.becameHosted(plan);
  place(hostedLayout(textHeight_, plan.direction, outer.width(), outer.height()));
  (plan.direction != Direction::Import ? static_cast<QWidget*>(BExportar) : BImportar)->setFocus();
  return true;
}

void TMForm::BExportarClick() {
  if (controller_.BExportarClick(Directorios->currentFolder())) close();
}

void TMForm::BImportarClick() {
  if (controller_.BImportarClick(Directorios->currentFolder())) close();
}

void TMForm::closeEvent(QCloseEvent* event) {
  if (!controller_.FormClose()) {
    event->ignore();  // the window stays; the next close tries again
    return;
  }
  event->accept();
  // The main window's close ends the program; hosted, the window is no
  // top-level window for Qt, so its close alone would not.
  QCoreApplication::quit();
}

// Enter as the shared rule has it (outside a dialog Qt's buttons would take
// only the space bar).
bool TMForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Focused focused = Focused::FolderList;
      if (watched == BExportar) focused = Focused::ExportButton;
      else if (watched == BImportar) focused = Focused::ImportButton;
      else if (watched == BClose) focused = Focused::CloseButton;
      else if (watched == Unidades) focused = Unidades->view()->isVisible() ? Focused::OpenDriveList : Focused::DriveList;
      switch (enterPresses(focused, Draw3D2->isVisibleTo(this), Draw3D3->isVisibleTo(this))) {
        case EnterPress::ExportButton: BExportar->click(); return true;
        case EnterPress::ImportButton: BImportar->click(); return true;
        case EnterPress::CloseButton: BClose->click(); return true;
        case EnterPress::Nothing: return true;
        case EnterPress::Control: break;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tht::qt
