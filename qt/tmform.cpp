#include "qt/tmform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyle>
#include <QWindow>
#include <cmath>
#include <initializer_list>

#include "app/keys.h"
#include "qt/hosting.h"
#include "qt/report_window.h"
#include "qt/text.h"

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

// "Arial" 16 pixels bold, scaled as the whole window is.
QFont heading(int textHeight) {
  QFont font;
  font.setFamilies({"Arial", "Liberation Sans", "Arimo", "DejaVu Sans"});
  font.setPixelSize(scaled(16, textHeight));
  font.setBold(true);
  return font;
}

QColor colourOf(int32_t value) {
  const Rgb rgb = fromColorRef(static_cast<unsigned>(value));
  return QColor(rgb.red, rgb.green, rgb.blue);
}

// A label as the component table describes it.
QLabel* label(Component component, QWidget* parent, const QColor& windowText, int textHeight) {
  const ComponentSpec& entry = componentTable()[component];
  auto* widget = new QLabel(qtText(entry.caption), parent);
  widget->setFont(entry.font == FontKind::Heading ? heading(textHeight) : sansSerif(entry.font == FontKind::Bold));
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
  return new GlyphButton(qtText(componentTable()[component].caption), glyph, parent);
}

}  // namespace

TMForm::TMForm(FormSettings settings, MessageSink& sink)
    : settings_(std::move(settings)),
      sink_(sink),
      notifier_(sink),
      controller_(settings_.iniPath, settings_.workFolder, notifier_, sink),
      browser_(*settings_.folders) {
  setWindowTitle(qtText(kWindowCaption));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFont(sansSerif(false));
  setAutoFillBackground(true);  // the button-face colour of the palette
  textHeight_ = QFontMetrics(font()).height();
  scale_ = static_cast<double>(textHeight_) / kDesignTextHeight;

  const QColor windowText = palette().color(QPalette::WindowText);

  // The three panels and what is in them, in their order of declaration.
  Draw3D2 = new GradientPanel(kRunPanelGradient, this);
  Label3 = label(kLabel3, Draw3D2, windowText, textHeight_);
  BExportar = button(kBExportar, Glyph::Tick, Draw3D2);
  Draw3D3 = new GradientPanel(kRunPanelGradient, this);
  Label4 = label(kLabel4, Draw3D3, windowText, textHeight_);
  BImportar = button(kBImportar, Glyph::Tick, Draw3D3);
  Draw3D1 = new GradientPanel(kFolderPanelGradient, this);
  Label1 = label(kLabel1, Draw3D1, windowText, textHeight_);
  Label2 = label(kLabel2, Draw3D1, windowText, textHeight_);
  BClose = button(kBClose, Glyph::Exit, Draw3D1);
  Directorios = new FolderList(Draw3D1, px(kFolderLineHeight));
  Unidades = new DriveList(Draw3D1, browser_);
  Label5 = label(kLabel5, Draw3D1, windowText, textHeight_);
  Label6 = label(kLabel6, Draw3D1, windowText, textHeight_);
  BComprobar = button(kBComprobar, Glyph::Magnifier, Draw3D1);
  // Where the fallback font makes "Ruta Actual:" wider than the original,
  // its opaque background must not hide the start of the path.
  Label2->raise();
  const WindowLayout layout = standAloneLayout(textHeight_);
  place(layout);
  // Tab visits every control in the shared order; Qt skips hidden ones.
  const std::vector<Component> order = tabOrder(true, true);
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(widgetOf(order[i - 1]), widgetOf(order[i]));
  focusFirst(layout);

  connect(BExportar, &QPushButton::clicked, this, [this] { BExportarClick(); });
  connect(BImportar, &QPushButton::clicked, this, [this] { BImportarClick(); });
  connect(BClose, &QPushButton::clicked, this, [this] { BCloseClick(); });
  connect(BComprobar, &QPushButton::clicked, this, [this] { BComprobarClick(); });
  // Alt+F4 closes the window itself: hosted, no window manager sees the
  // window's keys, and without one stand-alone neither.
  auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  connect(altF4, &QShortcut::activated, this, [this] { close(); });
  connect(Directorios, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { openFolderLine(Directorios->row(item)); });
  connect(Unidades, QOverload<int>::of(&QComboBox::activated), this, [this](int index) { chooseDrive(index); });
  for (QWidget* watched : std::initializer_list<QWidget*>{BExportar, BImportar, BClose, Directorios, Unidades, BComprobar})
    watched->installEventFilter(this);
  showFolderChange({});
}

int TMForm::px(int value) const { return scaled(value, textHeight_); }

QWidget* TMForm::widgetOf(Component component) const {
  QWidget* const widgets[kComponentCount] = {Draw3D2, Label3,      BExportar, Draw3D3, Label4,
                                             BImportar, Draw3D1,   Label1,    Label2,  BClose,
                                             Directorios, Unidades, Label5,   Label6,  BComprobar};
  return widgets[component];
}

// Every component at its place; the labels that follow their text keep
// their size.
void TMForm::place(const WindowLayout& layout) {
  for (int i = 0; i < kComponentCount; ++i) {
    QWidget* widget = widgetOf(static_cast<Component>(i));
    const Rect& box = layout.boxes[i];
    const QSize own = widget->size();
    const int width = box.width > 0 ? box.width : own.width();
    const int height = box.height > 0 ? box.height : (widget == Unidades ? Unidades->sizeHint().height() : own.height());
    widget->setGeometry(box.left, box.top, width, height);
  }
  Draw3D2->setVisible(layout.exportShown);
  Draw3D3->setVisible(layout.importShown);
  setFixedSize(layout.width, layout.height);
}

// The first control of the Tab order that the layout shows.
void TMForm::focusFirst(const WindowLayout& layout) {
  widgetOf(tabOrder(layout.exportShown, layout.importShown).front())->setFocus();
}

void TMForm::openFolderLine(int row) {
  if (row >= 0) showFolderChange(browser_.openFolderLine(static_cast<size_t>(row)));
}

void TMForm::chooseDrive(int index) {
  if (index >= 0) showFolderChange(browser_.chooseDrive(static_cast<size_t>(index)));
}

// Both lists and the path label as the browser has them now; after a
// failure the error box, and the lines stay as they were.
void TMForm::showFolderChange(const std::string& error) {
  if (!error.empty()) {
    sink_.error(error);
    Directorios->setCurrentRow(static_cast<int>(browser_.selectedFolderLine()));
  } else {
    Directorios->showLines(browser_);
    updatePathLabel();
  }
  Unidades->showSelection(browser_);
}

void TMForm::updatePathLabel() {
  const QFontMetrics metrics(Label2->font());
  Label2->setText(qtText(browser_.pathLabel(
      px(kPathLabelWidth), [&metrics](const std::string& text) { return metrics.horizontalAdvance(qtText(text)); })));
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
  const WindowLayout layout = hostedLayout(textHeight_, plan.direction, outer.width(), outer.height());
  place(layout);
  focusFirst(layout);
  return true;
}

void TMForm::BExportarClick() {
  if (controller_.BExportarClick(browser_.currentFolder())) close();
}

void TMForm::BImportarClick() {
  if (controller_.BImportarClick(browser_.currentFolder())) close();
}

void TMForm::BComprobarClick() {
  const std::optional<std::string> report = controller_.BComprobarClick(browser_.currentFolder());
  if (!report) return;
  // Hosted inside another program's window, this window is no top-level
  // window that could own the report; it then stands on its own, modal.
  const bool topLevel = !windowHandle() || !windowHandle()->parent();
  ReportWindow window(*report, browser_.currentFolder(), textHeight_,
                      [this](const std::string& path, const std::string& bytes) {
                        return controller_.saveReport(path, bytes);
                      },
                      topLevel ? this : nullptr);
  window.exec();
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
      else if (watched == BComprobar) focused = Focused::CheckButton;
      else if (watched == Unidades) focused = Unidades->view()->isVisible() ? Focused::OpenDriveList : Focused::DriveList;
      switch (enterPresses(focused, Draw3D2->isVisibleTo(this), Draw3D3->isVisibleTo(this))) {
        case EnterPress::ExportButton: BExportar->click(); return true;
        case EnterPress::ImportButton: BImportar->click(); return true;
        case EnterPress::CloseButton: BClose->click(); return true;
        case EnterPress::CheckButton: BComprobar->click(); return true;
        case EnterPress::Nothing: return true;
        case EnterPress::Control: break;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tht::qt
