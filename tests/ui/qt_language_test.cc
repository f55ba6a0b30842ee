// Qt's own texts in the station's language: the buttons of the questions the station asks
// through the desktop and of its file dialogs follow the Language menu and the language the
// station starts in.
#include "ui/qt_language.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Empty when Qt's catalogues of the station's languages are installed, else the one missing.
std::string MissingCatalogue() {
  for (const Language language : {Language::kGerman, Language::kFrench, Language::kCzech}) {
    const QString file = QtCatalogueFolder() + "/" + QtCatalogueName(language) + ".qm";
    if (!QFileInfo::exists(file)) return file.toStdString();
  }
  return {};
}

// The texts of the buttons of the modal dialog `ask` opens, without their shortcut marks; the
// dialog is then cancelled.
QStringList ButtonsOfModal(const std::function<void()>& ask) {
  QStringList texts;
  QTimer::singleShot(0, [&texts] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      for (const QMessageBox::StandardButton b :
           {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        if (QAbstractButton* button = box->button(b)) texts << button->text().remove('&');
      }
    } else if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
      for (QAbstractButton* button : buttons->buttons()) texts << button->text().remove('&');
    }
    qobject_cast<QDialog*>(dialog)->reject();
  });
  ask();
  return texts;
}

QStringList QuestionButtons(MainWindow& window) {
  return ButtonsOfModal([&window] { window.desktop().AskYesNoCancel("?"); });
}

class QtLanguageTest : public WindowFixture {
 protected:
  void SetUp() override {
    if (const std::string missing = MissingCatalogue(); !missing.empty()) {
      GTEST_SKIP() << "Qt's translations are not installed (" << missing
                   << " is missing; on Debian they come with qt6-translations-l10n): Qt's "
                      "buttons stay English";
    }
    WindowFixture::SetUp();
  }
};

TEST_F(QtLanguageTest, TheButtonsOfTheStationsQuestionsFollowTheLanguageMenu) {
  struct Case {
    const char* item;
    QStringList buttons;
  };
  const Case cases[] = {
      {"MenuGerman", {"Ja", "Nein", "Abbrechen"}},
      {"MenuFrench", {"Oui", "Non", "Annuler"}},
      {"MenuCzech", {"Ano", "Ne", U("Zrušit")}},
      {"MenuEnglish", {"Yes", "No", "Cancel"}},
  };
  for (const Case& c : cases) {
    window_->findChild<QAction*>(c.item)->trigger();
    EXPECT_EQ(QuestionButtons(*window_), c.buttons) << c.item;
  }
}

TEST_F(QtLanguageTest, TheFileDialogsCancelFollowsTheLanguageMenu) {
  const auto cancel_shown = [this] {
    return ButtonsOfModal([this] { window_->desktop().ChooseOpenPath("Text|*.ign", ""); });
  };
  window_->findChild<QAction*>("MenuGerman")->trigger();
  EXPECT_TRUE(cancel_shown().contains("Abbrechen")) << cancel_shown().join(", ").toStdString();
  window_->findChild<QAction*>("MenuEnglish")->trigger();
  EXPECT_TRUE(cancel_shown().contains("Cancel")) << cancel_shown().join(", ").toStdString();
}

// The language the station starts in (the command line's word here) is Qt's from the first
// question on; once the window is gone, Qt speaks English again.
TEST_F(QtLanguageTest, AWindowStartedInFrenchAsksInFrench) {
  {
    StationPaths paths;
    paths.settings_file = (dir_ / "settings_fr").string();
    paths.image_dump = (dir_ / "dump_fr").string();
    paths.program_dir = dir_.string();
    UnitEmulator unit;
    MemoryUnitPort port{unit};
    MainWindow window(port, paths, {"FRENCH"}, "");
    window.StopTimer();
    EXPECT_EQ(QuestionButtons(window), QStringList({"Oui", "Non", "Annuler"}));
  }
  EXPECT_EQ(QuestionButtons(*window_), QStringList({"Yes", "No", "Cancel"}));
}

}  // namespace
}  // namespace korvan::ui
