#include "qt/widgets.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>

#include "qt/text.h"

namespace tht::qt {

using namespace tht::app;
namespace {

const QColor kOlive(0x80, 0x80, 0x00);
const QColor kListBackground(0xF0, 0xFB, 0xFF);
constexpr int kIconSize = 16;
constexpr int kIconTextGap = 4;
constexpr int kIndentRole = Qt::UserRole + 1;

// Draws the line's icon at its indent and its name 4 pixels after it.
class IndentedLineDelegate : public QStyledItemDelegate {
 public:
  IndentedLineDelegate(int lineHeight, QObject* parent) : QStyledItemDelegate(parent), lineHeight_(lineHeight) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    const int indent = index.data(kIndentRole).toInt();
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    const QRect iconRect(option.rect.left() + indent, option.rect.top() + (option.rect.height() - kIconSize) / 2,
                         kIconSize, kIconSize);
    icon.paint(painter, iconRect, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);
    painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    const QRect textRect(iconRect.right() + 1 + kIconTextGap, option.rect.top(),
                         option.rect.right() - iconRect.right() - kIconTextGap, option.rect.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), lineHeight_);
  }

 private:
  int lineHeight_;
};

void setListColours(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, kListBackground);
  widget->setPalette(palette);
}

QIcon driveIcon(DriveKind kind) {
  QStyle* style = QApplication::style();
  switch (kind) {
    case DriveKind::Removable:
      return style->standardIcon(QStyle::SP_DriveFDIcon);
    case DriveKind::Network:
      return style->standardIcon(QStyle::SP_DriveNetIcon);
    case DriveKind::Optical:
      return style->standardIcon(QStyle::SP_DriveCDIcon);
    default:
      return style->standardIcon(QStyle::SP_DriveHDIcon);
  }
}

}  // namespace

// ---- gradient panel

GradientPanel::GradientPanel(const GradientColours& colours, QWidget* parent) : QWidget(parent), colours_(colours) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage GradientPanel::render() const {
  QImage image(size(), QImage::Format_RGB32);
  const std::vector<Rgb> rows = gradientRows(height(), colours_);
  for (int y = 0; y < height(); ++y) {
    const QRgb colour = qRgb(rows[y].red, rows[y].green, rows[y].blue);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line, line + width(), colour);
  }
  QPainter painter(&image);
  const int right = width() - 1, bottom = height() - 1;
  painter.setPen(palette().color(QPalette::Light));  // button highlight
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.setPen(palette().color(QPalette::Dark));  // button shadow
  painter.drawLine(0, bottom, right, bottom);
  painter.drawLine(right, 0, right, bottom);
  return image;
}

void GradientPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, render());
}

// ---- glyphs and buttons

QPixmap glyphPixmap(Glyph glyph) {
  QImage image(18, 18, QImage::Format_RGB32);
  image.fill(kOlive);
  QPainter painter(&image);
  if (glyph == Glyph::Tick) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(QPolygon({QPoint(3, 9), QPoint(7, 13), QPoint(15, 4)}));
  } else if (glyph == Glyph::Magnifier) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));  // the handle
    painter.drawLine(QPoint(10, 10), QPoint(15, 15));
    painter.setPen(QPen(QColor(0x60, 0x40, 0x10), 1));  // the rim and its glass
    painter.setBrush(QColor(0xC0, 0xE0, 0xFF));
    painter.drawEllipse(QRect(2, 1, 9, 9));
    painter.fillRect(QRect(4, 3, 2, 2), Qt::white);  // a glint
  } else {
    painter.fillRect(QRect(4, 1, 10, 4), QColor(0x00, 0xA0, 0x00));  // the exit sign
    painter.fillRect(QRect(6, 2, 6, 2), Qt::white);
    painter.fillRect(QRect(4, 6, 10, 11), QColor(0x60, 0x40, 0x20));  // the door frame
    painter.fillRect(QRect(5, 7, 8, 10), Qt::black);                  // the opening
    painter.setBrush(QColor(0xC0, 0x80, 0x40));                       // the door, swung open
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({QPoint(5, 7), QPoint(9, 8), QPoint(9, 17), QPoint(5, 16)}));
  }
  painter.end();
  // The bottom-left pixel's colour is the transparent one.
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, 17), Qt::MaskInColor)));
  return pixmap;
}

GlyphButton::GlyphButton(const QString& caption, Glyph glyph, QWidget* parent)
    : QPushButton(caption, parent), glyph_(glyphPixmap(glyph)) {}

void GlyphButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  const QString caption = text();
  const int textWidth = fontMetrics().horizontalAdvance(QString(caption).remove('&'));
  const int total = glyph_.width() + kIconTextGap + textWidth;
  const int left = (width() - total) / 2;
  painter.drawPixmap(left, (height() - glyph_.height()) / 2, glyph_);
  const QRect textRect(left + glyph_.width() + kIconTextGap, 0, textWidth + 1, height());
  painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                       isEnabled(), caption, QPalette::ButtonText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(4, 4, -4, -4);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

// ---- folder list and drive list

FolderList::FolderList(QWidget* parent, int lineHeight) : QListWidget(parent) {
  setItemDelegate(new IndentedLineDelegate(lineHeight, this));
  setUniformItemSizes(true);
  setListColours(this);
}

int FolderList::iconIndent(int row) const { return item(row)->data(kIndentRole).toInt(); }

void FolderList::showLines(const FolderBrowser& browser) {
  clear();
  QStyle* style = QApplication::style();
  const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);
  for (const FolderLine& line : browser.folderLines()) {
    auto* item = new QListWidgetItem(line.icon == FolderIcon::Closed ? closed : open, qtText(line.text), this);
    item->setData(kIndentRole, line.indent);
  }
  setCurrentRow(static_cast<int>(browser.selectedFolderLine()));
}

DriveList::DriveList(QWidget* parent, const FolderBrowser& browser) : QComboBox(parent) {
  setListColours(this);
  setIconSize(QSize(kIconSize, kIconSize));
  for (const DriveLine& line : browser.driveLines()) addItem(driveIcon(line.kind), qtText(line.text));
  showSelection(browser);
}

void DriveList::showSelection(const FolderBrowser& browser) {
  const size_t selected = browser.selectedDriveLine();
  setCurrentIndex(selected < browser.driveLines().size() ? static_cast<int>(selected) : -1);
}

}  // namespace tht::qt
