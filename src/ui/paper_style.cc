#include "ui/paper_style.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

namespace korvan::ui {
namespace {

class PaperStyle : public QProxyStyle {
 public:
  PaperStyle(QStyle* screen, QStyle* paper) : QProxyStyle(screen), paper_(paper) {}

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (OnPaper(painter)) {
      switch (element) {
        case PE_FrameFocusRect:
          return;  // where the keyboard was means nothing on paper
        case PE_FrameLineEdit:
          PlainBox(option, painter, false);
          return;
        case PE_PanelLineEdit: {
          // The editor inside a spin box has no frame of its own.
          const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
          if (frame != nullptr && frame->lineWidth <= 0) {
            painter->fillRect(option->rect, option->palette.color(QPalette::Base));
          } else {
            PlainBox(option, painter, true);
          }
          return;
        }
        default:
          break;
      }
      paper_->drawPrimitive(element, option, painter, widget);
    } else {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
  }
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (OnPaper(painter)) {
      paper_->drawControl(element, option, painter, widget);
    } else {
      QProxyStyle::drawControl(element, option, painter, widget);
    }
  }
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
    if (OnPaper(painter) && control == CC_SpinBox && spin != nullptr &&
        spin->buttonSymbols == QAbstractSpinBox::NoButtons) {
      PlainBox(option, painter, true);
    } else if (OnPaper(painter)) {
      paper_->drawComplexControl(control, option, painter, widget);
    } else {
      QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
  }

 private:
  // The window is never painted into a picture but for a printout.
  static bool OnPaper(const QPainter* painter) {
    return painter != nullptr && painter->paintEngine() != nullptr &&
           painter->paintEngine()->type() == QPaintEngine::Picture;
  }

  // An edit field on paper: a thin grey box, filled with the field's background.
  static void PlainBox(const QStyleOption* option, QPainter* painter, bool filled) {
    const QRect box = option->rect.adjusted(0, 0, -1, -1);
    painter->save();
    if (filled) painter->fillRect(box, option->palette.color(QPalette::Base));
    painter->setPen(QPen(option->palette.color(QPalette::Dark), 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box);
    painter->restore();
  }

  std::unique_ptr<QStyle> paper_;
};

}  // namespace

void UsePaperStyle() {
  if (dynamic_cast<PaperStyle*>(QApplication::style()) != nullptr) return;
  QStyle* screen = QStyleFactory::create(QApplication::style()->name());
  QStyle* paper = QStyleFactory::create(QStringLiteral("Windows"));
  if (screen == nullptr || paper == nullptr) {
    delete screen;
    delete paper;
    return;
  }
  QApplication::setStyle(new PaperStyle(screen, paper));
}

}  // namespace korvan::ui
