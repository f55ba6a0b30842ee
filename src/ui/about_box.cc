#include "ui/about_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "texts/about_texts.h"

namespace korvan::ui {
namespace {

constexpr int kClientWidth = 547;
constexpr int kClientHeight = 627;

QString Qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("FormAbout");
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  setWindowTitle(Qs(std::string(kAboutDesignedCaption)));
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  setAutoFillBackground(true);

  auto* picture = new QLabel(this);
  picture->setObjectName("Image1");
  picture->setPixmap(QPixmap(":/korvan/about.png"));
  picture->setGeometry(2, 2, 535, 552);

  // The date and time this program was built, fixed by the compiler.
  AddLabel("LabelDate", Qs(AboutDateText(__DATE__)), 16, 569);
  AddLabel("LabelTime", QStringLiteral(__TIME__), 168, 569);
  AddLabel("LabelRsKey", Qs(AboutVersionText()), 296, 569);
  exit_ = AddLabel("LabelExit", QStringLiteral("OK"), 480, 561);
  QFont big = exit_->font();
  big.setPixelSize(19);
  exit_->setFont(big);
  exit_->adjustSize();
  exit_->setCursor(Qt::PointingHandCursor);
  exit_->installEventFilter(this);

  // Centred on the screen once, when made: each half in whole pixels.
  if (const QScreen* screen = parent != nullptr ? parent->screen() : this->screen()) {
    const QRect area = screen->geometry();
    move(area.left() + area.width() / 2 - kClientWidth / 2,
         area.top() + area.height() / 2 - kClientHeight / 2);
  }
}

QLabel* AboutBox::AddLabel(const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QString::fromLatin1(name));
  label->move(left, top);
  label->adjustSize();
  return label;
}

void AboutBox::Run(Language language) {
  language_ = language;
  exec();
}

void AboutBox::Activate() {
  setWindowTitle(Qs(AboutCaption(language_, windowTitle().toStdString())));
}

bool AboutBox::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Activate();
  return QDialog::event(event);
}

void AboutBox::showEvent(QShowEvent* event) {
  // Coming up is an activation too, also where the platform sends no activation event; the
  // caption rule gives the same caption when applied twice.
  Activate();
  QDialog::showEvent(event);
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  // Enter closes it like "OK"; Esc is the dialog's own.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == exit_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace korvan::ui
