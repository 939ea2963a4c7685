// The main window on Qt's offscreen platform: its layout, the hosted
// arrangements, closing and the ini file, the default buttons, the tab
// order, the painted panels and the folder list. The message boxes have a
// file of their own (qt_message_boxes_test.cpp).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <functional>

#include "platform/folders.h"
#include "qt/tmform.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

using namespace tht::app;
using namespace tht::qt;

// Records the boxes instead of showing them, and the pointer each one met.
struct RecordingSink : MessageSink {
  void plain(const std::string& text) override {
    plains.push_back(text);
    pointers.push_back(pointer());
  }
  void error(const std::string& message) override {
    errors.push_back(message);
    pointers.push_back(pointer());
  }
  static int pointer() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : -1;
  }
  std::vector<std::string> plains, errors;
  std::vector<int> pointers;  // -1: no override cursor
};

// A window started in an empty folder of its own, with its ini file there.
class Window : public ::testing::Test {
 protected:
  TempFolder folder;
  TempFolder work;
  RecordingSink sink;
  std::unique_ptr<TMForm> form;
  std::string previousFolder;

  void SetUp() override {
    previousFolder = workingDirectory();
    ASSERT_FALSE(changeWorkingDirectory(folder.path()));
  }
  void TearDown() override {
    form.reset();
    ASSERT_FALSE(changeWorkingDirectory(previousFolder));
  }
  TMForm& start(std::vector<std::string> parameters, std::string iniPath = {},
                FolderSystem* folders = &systemFolders()) {
    if (iniPath.empty()) iniPath = folder.file("Horavent.ini");
    form = std::make_unique<TMForm>(FormSettings{parameters, iniPath, work.path(), folders}, sink);
    created = form->FormCreate();
    return *form;
  }
  int px(int value) const { return static_cast<int>(std::lround(value * form->scale())); }
  QRect box(int l, int t, int w, int h) const { return QRect(px(l), px(t), px(w), px(h)); }
  bool created = false;
};

TEST_F(Window, StandAloneLayoutCaptionsAndFonts) {
  TMForm& window = start({});
  EXPECT_TRUE(created);
  EXPECT_EQ(window.windowTitle(), "Exportar e importar datos entre Horavent y TEBA");
  EXPECT_EQ(window.size(), QSize(px(599), px(311)));
  EXPECT_EQ(window.Draw3D2->geometry(), box(0, 0, 289, 106));
  EXPECT_EQ(window.Draw3D3->geometry(), box(289, 0, 310, 106));
  EXPECT_EQ(window.Draw3D1->geometry(), box(0, 106, 599, 205));
  EXPECT_EQ(window.BExportar->geometry(), box(88, 72, 89, 25));
  EXPECT_EQ(window.BImportar->geometry(), box(96, 64, 89, 25));
  EXPECT_EQ(window.BClose->geometry(), box(400, 144, 89, 25));
  EXPECT_EQ(window.Directorios->geometry(), box(8, 34, 287, 144));
  EXPECT_EQ(window.Label3->text(), "Transformar datos desde TEBA hacia Horavent ");
  EXPECT_EQ(window.Label4->text(), "Transformar datos desde Horavent hacia TEBA");
  EXPECT_EQ(window.Label1->text(), "TransHoraventTEBA V-1.4");
  EXPECT_EQ(window.Label5->text(), "Carpeta en la que se encuentran los Ficheros TXT de TEBA");
  EXPECT_EQ(window.Label6->text(), "Ruta Actual:");
  EXPECT_EQ(window.BClose->text(), "&Salir");
  EXPECT_EQ(window.Label1->pos(), QPoint(px(368), px(184)));
  EXPECT_EQ(window.Label3->font().pixelSize(), px(16));  // scaled as the whole window
  EXPECT_TRUE(window.Label3->font().bold());
  EXPECT_EQ(window.Label2->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
  EXPECT_EQ(window.Label5->palette().color(QPalette::Window), QColor(0xCC, 0xD8, 0xE6));
  EXPECT_EQ(window.Label5->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
  EXPECT_EQ(window.Label2->text().toStdString(), folder.path());
  EXPECT_EQ(window.session().ModoIntegrado, 0);
}

TEST_F(Window, HostedPanelsFillTheTopBand) {
  for (const auto& [word, exportShown, importShown] :
       {std::tuple{"importar", false, true}, {"EXPORTAR", true, false}, {"listar", true, true}}) {
    SCOPED_TRACE(word);
    TMForm& window = start({word, "0"});
    EXPECT_TRUE(created);
    EXPECT_EQ(window.session().ModoIntegrado, 2);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.pos(), QPoint(2, 2));
    // The stand-alone outer size, all of it client area now.
    EXPECT_GE(window.width(), px(599));
    EXPECT_GT(window.height(), px(311));
    const int top = window.height() - px(205);
    EXPECT_EQ(window.Draw3D1->geometry(), QRect(0, top, window.width(), px(205)));
    EXPECT_EQ(window.Draw3D2->isVisibleTo(&window), exportShown);
    EXPECT_EQ(window.Draw3D3->isVisibleTo(&window), importShown);
    if (exportShown && importShown) {
      EXPECT_EQ(window.Draw3D2->geometry(), QRect(0, 0, px(289), top));
      EXPECT_EQ(window.Draw3D3->geometry(), QRect(px(289), 0, window.width() - px(289), top));
    } else {
      GradientPanel* kept = exportShown ? window.Draw3D2 : window.Draw3D3;
      EXPECT_EQ(kept->geometry(), QRect(0, 0, window.width(), top));
    }
    // Label and button keep their places from the panel's corner.
    EXPECT_EQ(window.Label4->pos(), QPoint(px(8), px(24)));
    EXPECT_EQ(window.BImportar->pos(), QPoint(px(96), px(64)));
  }
}

TEST_F(Window, InvalidHandleShowsTheErrorAndStaysStandAlone) {
  for (const char* handle : {"x", "1FFFFFFFF"}) {
    sink.errors.clear();
    TMForm& window = start({"importar", handle});
    EXPECT_TRUE(created);
    EXPECT_EQ(sink.errors, std::vector<std::string>{"'$" + std::string(handle) + "' no es un valor entero v\xE1lido"});
    EXPECT_EQ(window.session().ModoIntegrado, 0);
    EXPECT_TRUE(window.Draw3D2->isVisibleTo(&window));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(px(599), px(311)));
  }
}

TEST_F(Window, OnlyAHostedCloseWritesTheResult) {
  start({"exportar", "1A2B", "extra"});
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(std::filesystem::exists(folder.file("Horavent.ini")));

  folder.write("Horavent.ini", "[General]\r\nRuta=x\r\n");
  start({"exportar", "0"});
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(readBytes(folder.file("Horavent.ini")), "[General]\r\nRuta=x\r\n[Transformadores]\r\nTransformado=0\r\n");
}

// Alt+F4 takes the same way as every other close, hosted too.
TEST_F(Window, AltF4ClosesThroughTheHandOver) {
  start({"importar", "0"});
  form->show();
  QApplication::setActiveWindow(form.get());
  QTest::keyClick(form->Directorios, Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(readBytes(folder.file("Horavent.ini")), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(Window, AnIniFileThatCannotBeWrittenKeepsTheWindowOpen) {
  const std::string ini = folder.file("missing/Horavent.ini");
  start({"importar", "0"}, ini);
  form->show();
  EXPECT_FALSE(form->close());
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(sink.errors, (std::vector<std::string>{"Unable to write to " + ini, "Unable to write to " + ini}));
}

TEST_F(Window, HostedExportThatGoesThroughClosesAndHandsOverOne) {
  for (const char* name : {"teba_asignat.txt", "teba_prof.txt", "teba_aulas.txt", "teba_grupo.txt",
                                  "teba_asignatgrupo.txt", "teba_asignatcurso.txt", "teba_sesiones.txt"})
    std::filesystem::copy_file(sourceDir() + "/examples/sample-school/" + name, folder.file(name));
  start({"exportar", "0"});
  form->show();
  form->BExportar->click();
  EXPECT_EQ(sink.plains, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(readBytes(folder.file("Horavent.ini")), "[Transformadores]\r\nTransformado=1\r\n");
  EXPECT_TRUE(std::filesystem::exists(work.file("DIASHORAST.DBF")));
}

TEST_F(Window, EnterPressesTheFirstVisibleRunButtonAndErrorsKeepTheWindow) {
  start({});
  form->show();
  QTest::keyClick(form->Directorios, Qt::Key_Return);
  // The export ran in the empty current folder: its first missing file.
  ASSERT_FALSE(sink.plains.empty());
  EXPECT_EQ(sink.plains.front(), "No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)");
  EXPECT_EQ(std::string(folder.path()), form->browser().currentFolder());  // no folder opened

  sink.plains.clear();
  start({"importar", "0"});
  form->show();
  QTest::keyClick(form->Unidades, Qt::Key_Enter);
  // The import: no subjects file, an error that leaves the window open.
  EXPECT_TRUE(sink.plains.empty());
  ASSERT_EQ(sink.errors.size(), 1u);
  EXPECT_EQ(sink.errors[0].rfind("Cannot open file \"" + folder.file("teba_asignat.txt") + "\".", 0), 0u) << sink.errors[0];
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->session().ResultadoTraspaso, 0);
}

// The hourglass is up while a run works (a step's missing-file notice
// shows under it) and down again on every way out: the end of a run, and
// an error, which is shown after the run has let go of it.
TEST_F(Window, TheHourglassIsUpDuringARunAndDownAfterIt) {
  start({});
  form->show();
  form->BExportar->click();
  ASSERT_EQ(sink.plains.size(), 7u);  // six steps miss their files, then the end
  EXPECT_EQ(sink.plains.back(), "Proceso finalizado");
  std::vector<int> expected(6, Qt::WaitCursor);
  expected.push_back(-1);
  EXPECT_EQ(sink.pointers, expected);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  sink.pointers.clear();
  form->BImportar->click();
  ASSERT_EQ(sink.errors.size(), 1u);
  EXPECT_EQ(sink.pointers, std::vector<int>{-1});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(Window, TabOrderSkipsHiddenButtons) {
  start({"importar", "0"});
  form->show();
  QApplication::setActiveWindow(form.get());
  form->BImportar->setFocus();
  std::vector<QWidget*> order;
  QWidget* widget = form->BImportar;
  for (int i = 0; i < 5; ++i) {
    order.push_back(widget);
    do widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(form.get()));
  }
  EXPECT_EQ(order, (std::vector<QWidget*>{form->BImportar, form->BClose, form->Directorios, form->Unidades,
                                          form->BComprobar}));
  EXPECT_EQ(widget, form->BImportar);  // round again, the hidden export button skipped
}

TEST_F(Window, PanelsArePaintedWithTheGradientAndABevel) {
  start({});
  const QImage image = form->Draw3D1->render();
  const int h = image.height(), w = image.width();
  ASSERT_EQ(h, px(205));
  const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
  EXPECT_EQ(at(0, 0).rgb(), form->Draw3D1->palette().color(QPalette::Light).rgb());
  EXPECT_EQ(at(w - 1, h - 1).rgb(), form->Draw3D1->palette().color(QPalette::Dark).rgb());
  // The top row of the lower half is the middle colour; the row under the
  // top bevel the end colour; the row over the bottom bevel the start colour
  // plus one step of (middle - start) / (n - 1).
  const int lower = h - h / 2, n = std::min(lower, 256);
  EXPECT_EQ(at(10, h / 2), QColor(0xCF, 0xF2, 0xFE));
  EXPECT_EQ(at(10, 1), QColor(0xCC, 0xD8, 0xE6));
  const auto step = [&](int from, int to) {
    const double value = static_cast<double>(to - from) / (n - 1);
    return from + static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
  };
  const int bottomBandRows = static_cast<int>(std::lround(static_cast<double>(lower) / n));
  EXPECT_EQ(at(10, h - 1 - bottomBandRows), QColor(step(0xC2, 0xCF), step(0xCD, 0xF2), step(0xFE, 0xFE)));
}

TEST_F(Window, FolderListShowsThePathAndTheVisibleSubfolders) {
  for (const char* name : {"b", "A", ".oculta", "c"}) std::filesystem::create_directory(folder.file(name));
  start({});
  FolderList& list = *form->Directorios;
  std::vector<std::string> lines;
  for (int i = 0; i < list.count(); ++i) lines.push_back(list.item(i)->text().toStdString());
  std::vector<std::string> expected = {"/"};
  for (const auto& part : std::filesystem::path(folder.path()).relative_path()) expected.push_back(part.string());
  const int pathLines = static_cast<int>(expected.size());
  for (const char* name : {"A", "b", "c"}) expected.push_back(name);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(list.currentRow(), pathLines - 1);
  const int separators = static_cast<int>(std::count(folder.path().begin(), folder.path().end(), '/'));
  for (int i = 0; i < list.count(); ++i)
    EXPECT_EQ(list.iconIndent(i), i < pathLines ? 2 + 4 * i : 6 + 4 * separators) << lines[i];
  EXPECT_EQ(list.visualItemRect(list.item(0)).height(), px(16));

  // Double-clicking a subfolder enters it; one that has vanished does not.
  emit list.itemDoubleClicked(list.item(pathLines + 1));
  EXPECT_EQ(form->browser().currentFolder(), folder.file("b"));
  EXPECT_EQ(form->Label2->text().toStdString(), folder.file("b"));
  std::filesystem::create_directory(folder.file("b/gone"));
  emit list.itemDoubleClicked(list.item(pathLines));  // "b" itself: the list anew
  std::filesystem::remove(folder.file("b/gone"));
  emit list.itemDoubleClicked(list.item(list.count() - 1));
  EXPECT_EQ(sink.errors, std::vector<std::string>{"Error de E/S 2"});
  EXPECT_EQ(form->browser().currentFolder(), folder.file("b"));
  EXPECT_EQ(list.currentRow(), pathLines) << "the current folder's line stays selected";
}

// The drives of this system, with a volume label of its own.
struct LabelledRoot : SystemFolders {
  std::vector<DriveInfo> drives() override { return {{"/", DriveKind::Fixed, "Matem\xC3\xA1ticas", ""}}; }
};

// Names are UTF-8 on Linux and the window's texts code page 1252: "año",
// "Matemáticas" and the import's error show with their letters; "Łódź",
// which code page 1252 cannot hold, with '?' for what it lacks.
TEST_F(Window, NamesWithSpanishLettersShowAsTheyAre) {
  const std::string year = folder.file("a\xC3\xB1o");
  std::filesystem::create_directory(year);
  std::filesystem::create_directory(year + "/\xC5\x81\xC3\xB3" "d\xC5\xBA");
  ASSERT_FALSE(changeWorkingDirectory(year));
  LabelledRoot folders;
  start({"importar", "0"}, {}, &folders);
  FolderList& list = *form->Directorios;
  ASSERT_EQ(list.currentRow(), list.count() - 2);
  EXPECT_EQ(list.item(list.count() - 2)->text(), QString::fromUtf8("a\u00F1o"));
  EXPECT_EQ(list.item(list.count() - 1)->text(), QString::fromUtf8("?\u00F3d?"));
  EXPECT_EQ(form->Label2->text(), QString::fromStdString(year));
  EXPECT_EQ(form->Unidades->itemText(0), QString::fromUtf8("/ [matem\u00E1ticas]"));
  form->BImportar->click();
  const std::string shownYear = folder.path() + "/a\xF1o";
  EXPECT_EQ(sink.errors, std::vector<std::string>{"Cannot open file \"" + shownYear +
                                                  "/teba_asignat.txt\". No such file or directory"});
}

}  // namespace
}  // namespace tht::test

// The application lives for the whole run and ends before the program's
// own exit handlers, which Qt's globals need.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests at build time happens without CTest's environment.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
