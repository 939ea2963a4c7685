#include "app/tmform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyle>
#include <cmath>
#include <initializer_list>

#include "app/hosting.h"
#include "app/path_label.h"
#include "export/export_run.h"
#include "platform/error.h"
#include "platform/ini_file.h"

namespace tht::app {
namespace {

constexpr int kClientWidth = 599;
constexpr int kClientHeight = 311;
constexpr int kTopBand = 106;
constexpr int kFolderPanelHeight = 205;
constexpr int kPathLabelWidth = 287;
constexpr int kReferenceTextHeight = 13;

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kFolderPanel(0xCC, 0xD8, 0xE6);  // 15128780

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

QLabel* label(const char* text, QWidget* parent, const QFont& font, const QColor& colour) {
  auto* widget = new QLabel(QString::fromUtf8(text), parent);
  widget->setFont(font);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
  return widget;
}

}  // namespace

TMForm::TMForm(FormSettings settings, MessageSink& sink)
    : settings_(std::move(settings)), sink_(sink), notifier_(sink), env_{settings_.workFolder, notifier_} {
  setWindowTitle("Exportar e importar datos entre Horavent y TEBA");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFont(sansSerif(false));
  setAutoFillBackground(true);  // the button-face colour of the palette
  scale_ = static_cast<double>(QFontMetrics(font()).height()) / kReferenceTextHeight;

  const QColor windowText = palette().color(QPalette::WindowText);
  const auto reportError = [this](const std::string& message) { sink_.error(message); };

  // The three panels and what is in them, in their order of declaration.
  Draw3D2 = new GradientPanel(fromColorRef(8246265), {0xFF, 0xFF, 0xFF}, fromColorRef(14544639), this);
  Draw3D2->setGeometry(box(0, 0, 289, kTopBand));
  Label3 = label("Transformar datos desde TEBA hacia Horavent ", Draw3D2, arialBold16(), windowText);
  Label3->setGeometry(box(24, 24, 265, 57));
  Label3->setWordWrap(true);
  Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  BExportar = new GlyphButton("Aceptar", Glyph::Tick, Draw3D2);
  BExportar->setGeometry(box(88, 72, 89, 25));

  Draw3D3 = new GradientPanel(fromColorRef(8246265), {0xFF, 0xFF, 0xFF}, fromColorRef(14544639), this);
  Draw3D3->setGeometry(box(289, 0, 310, kTopBand));
  Label4 = label("Transformar datos desde Horavent hacia TEBA", Draw3D3, arialBold16(), windowText);
  Label4->setGeometry(box(8, 24, 305, 57));
  Label4->setWordWrap(true);
  Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  BImportar = new GlyphButton("Aceptar", Glyph::Tick, Draw3D3);
  BImportar->setGeometry(box(96, 64, 89, 25));

  Draw3D1 = new GradientPanel(fromColorRef(16698818), fromColorRef(16708303), fromColorRef(15128780), this);
  Draw3D1->setGeometry(box(0, kTopBand, kClientWidth, kFolderPanelHeight));
  Label1 = label("TransHoraventTEBA V-1.4", Draw3D1, sansSerif(true), kRed);
  Label1->adjustSize();
  Label1->move(px(368), px(184));
  Label2 = label("", Draw3D1, sansSerif(true), kRed);
  Label2->move(px(70), px(20));
  BClose = new GlyphButton("&Salir", Glyph::Exit, Draw3D1);
  BClose->setGeometry(box(400, 144, 89, 25));
  Directorios = new FolderList(Draw3D1, reportError);
  Directorios->setGeometry(box(8, 34, 287, 144));
  Unidades = new DriveList(Draw3D1, *Directorios, settings_.drives, reportError);
  Unidades->setGeometry(px(8), px(180), px(137), Unidades->sizeHint().height());
  for (QLabel** fixed : {&Label5, &Label6}) {
    *fixed = label(fixed == &Label5 ? "Carpeta en la que se encuentran los Ficheros TXT de TEBA" : "Ruta Actual:",
                   Draw3D1, sansSerif(false), kBlue);
    QPalette palette = (*fixed)->palette();
    palette.setColor(QPalette::Window, kFolderPanel);
    (*fixed)->setPalette(palette);
    (*fixed)->setAutoFillBackground(true);
    (*fixed)->adjustSize();
  }
  Label5->move(px(9), px(5));
  Label6->move(px(9), px(19));
  // Where the fallback font makes "Ruta Actual:" wider than the original,
  // its opaque background must not hide the start of the path.
  Label2->raise();

  setFixedSize(px(kClientWidth), px(kClientHeight));
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

int TMForm::px(int value) const { return static_cast<int>(std::lround(value * scale_)); }

QRect TMForm::box(int left, int top, int width, int height) const {
  return QRect(px(left), px(top), px(width), px(height));
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
  session_.ResultadoTraspaso = 0;
  const std::vector<std::string>& parameters = settings_.parameters;
  if (parameters.size() != 2) return true;
  uint32_t handle = 0;
  try {
    handle = parseWindowHandle(parameters[1]);
  } catch (const Error& error) {
    sink_.error(error.what());  // the window stays stand-alone
    return true;
  }
  // Hosted, the window keeps the stand-alone window's outer size, frame and
  // caption bar included, all of it now its own area.
  QStyle* style = this->style();
  const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSize outer(width() + 2 * frame, height() + style->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * frame);
  // A host window destroyed later takes this window with it: the program
  // then ends as a close would end it (an error already shown ends it too).
  const std::string problem = hostUnder(*this, handle, [this] {
    if (!close()) QCoreApplication::quit();
  });
  if (!problem.empty()) {
    sink_.error(problem);
    return false;
  }
  setFixedSize(outer);
  session_.ModoIntegrado = static_cast<int32_t>(parameters.size());
  arrangeHosted(directionOf(parameters[0]));
  return true;
}

void TMForm::arrangeHosted(Direction direction) {
  const int topBand = height() - px(kFolderPanelHeight);
  Draw3D1->setGeometry(0, topBand, width(), px(kFolderPanelHeight));
  Draw3D2->setVisible(direction != Direction::Import);
  Draw3D3->setVisible(direction != Direction::Export);
  switch (direction) {
    case Direction::Export:
      Draw3D2->setGeometry(0, 0, width(), topBand);
      break;
    case Direction::Import:
      Draw3D3->setGeometry(0, 0, width(), topBand);
      break;
    case Direction::Both:
      Draw3D2->setGeometry(0, 0, px(289), topBand);
      Draw3D3->setGeometry(px(289), 0, width() - px(289), topBand);
      break;
  }
  (Draw3D2->isVisibleTo(this) ? static_cast<QWidget*>(BExportar) : BImportar)->setFocus();
}

void TMForm::BExportarClick() {
  bool closeNow = false;
  try {
    closeNow = tht::BExportarClick(session_, Directorios->currentFolder(), env_);
  } catch (const std::exception& error) {
    sink_.error(error.what());  // the window stays open, hosted too
    return;
  }
  if (closeNow) close();
}

void TMForm::BImportarClick() {
  bool closeNow = false;
  try {
    closeNow = tht::BImportarClick(session_, Directorios->currentFolder(), tables, env_);
  } catch (const std::exception& error) {
    sink_.error(error.what());
    return;
  }
  if (closeNow) close();
}

void TMForm::closeEvent(QCloseEvent* event) {
  if (session_.hosted()) {
    try {
      writeProfileString(settings_.iniPath, "Transformadores", "Transformado",
                         std::to_string(session_.ResultadoTraspaso));
    } catch (const Error& error) {
      sink_.error(error.what());
      event->ignore();  // the window stays; the next close tries again
      return;
    }
  }
  event->accept();
  // The main window's close ends the program; hosted, the window is no
  // top-level window for Qt, so its close alone would not.
  QCoreApplication::quit();
}

void TMForm::pressFirstRunButton() {
  if (Draw3D2->isVisibleTo(this))
    BExportar->click();
  else if (Draw3D3->isVisibleTo(this))
    BImportar->click();
}

// A focused button takes Enter itself (outside a dialog Qt's buttons take
// only the space bar). Enter on the folder list, or on the drive list with
// its list closed, presses the first visible run button, as a dialog's
// default button would.
bool TMForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (watched == BExportar || watched == BImportar || watched == BClose) {
        static_cast<QPushButton*>(watched)->click();
        return true;
      }
      const bool popupOpen = watched == Unidades && Unidades->view()->isVisible();
      if (!popupOpen) {
        pressFirstRunButton();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tht::app
