// Every text the window shows is in the language on display. The window is walked whole in
// English and again in each other language: a text that reads the same as the English one at the
// same place fails, unless it is one of the captions kept alike in every language, listed in
// docs/texts_kept_in_every_language.md with why. A text added later in English only fails here.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <map>
#include <vector>

#include "model/default_set.h"
#include "ui/about_box.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

// Where a text sits: the objects from the window down, each by its name, or by its class and
// place among its parent's children when it has none; then which of its texts it is.
QString PathOf(const QObject* object) {
  QStringList parts;
  for (const QObject* o = object; o != nullptr; o = o->parent()) {
    QString part = o->objectName();
    if (part.isEmpty()) {
      part = QString::fromLatin1(o->metaObject()->className());
      if (o->parent() != nullptr) part += QString("#%1").arg(o->parent()->children().indexOf(o));
    }
    parts.prepend(part);
  }
  return parts.join('/');
}

using Texts = std::map<QString, QString>;

void Add(Texts& texts, const QObject* object, const char* what, const QString& text) {
  if (!text.isEmpty()) texts[PathOf(object) + ':' + what] = text;
}

// Every text of the window and of the widgets it owns.
Texts Collect(const QWidget& window) {
  Texts texts;
  QList<QObject*> objects = window.findChildren<QObject*>();
  objects.prepend(const_cast<QWidget*>(&window));
  for (const QObject* object : objects) {
    if (const auto* action = qobject_cast<const QAction*>(object)) {
      if (action->isSeparator()) continue;
      Add(texts, action, "text", action->text());
      Add(texts, action, "statusTip", action->statusTip());
      continue;
    }
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget == nullptr) continue;
    Add(texts, widget, "toolTip", widget->toolTip());
    Add(texts, widget, "statusTip", widget->statusTip());
    if (widget->isWindow()) Add(texts, widget, "title", widget->windowTitle());
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
      Add(texts, menu, "title", menu->title());
    if (const auto* label = qobject_cast<const QLabel*>(widget))
      Add(texts, label, "text", label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      Add(texts, button, "text", button->text());
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      Add(texts, group, "title", group->title());
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
      Add(texts, edit, "placeholder", edit->placeholderText());
    }
    if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i) {
        Add(texts, tabs, qPrintable(QString("tab%1").arg(i)), tabs->tabText(i));
        Add(texts, tabs, qPrintable(QString("tabTip%1").arg(i)), tabs->tabToolTip(i));
      }
    }
    if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
      for (int column = 0; column < table->columnCount(); ++column) {
        if (const QTableWidgetItem* head = table->horizontalHeaderItem(column)) {
          Add(texts, table, qPrintable(QString("head%1").arg(column)), head->text());
        }
        for (int row = 0; row < table->rowCount(); ++row) {
          if (const QTableWidgetItem* cell = table->item(row, column)) {
            Add(texts, table, qPrintable(QString("cell%1.%2").arg(row).arg(column)), cell->text());
          }
        }
      }
    }
    if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
      for (int i = 0; i < list->count(); ++i) {
        Add(texts, list, qPrintable(QString("item%1").arg(i)), list->itemText(i));
      }
    }
  }
  return texts;
}

// A text worth translating holds a word: two letters in a row, once the units are taken out.
// Numbers, units ("2500 mV", "[ms]", "4000 rpm", "1030 µs") and single letters read alike in every
// language anyway.
bool HoldsAWord(QString text) {
  static const QRegularExpression unit("(?<!\\p{L})(µs|ms|mV|mv|rpm|km|mm)(?!\\p{L})");
  static const QRegularExpression word("\\p{L}\\p{L}");
  return word.match(text.remove(unit)).hasMatch();
}

// The documented list: each line "- `entry`" (a reason may follow). An entry is a text, or the
// place of one ("ComboBoxBike:item*": the object's name and which of its texts); "*" stands for
// any run of characters.
std::vector<QRegularExpression> KeptAlike() {
  std::vector<QRegularExpression> kept;
  QFile file(QStringLiteral(KORVAN_DOCS_DIR "/texts_kept_in_every_language.md"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  static const QRegularExpression item("^- `([^`]+)`");
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
    const QRegularExpressionMatch m = item.match(line);
    if (!m.hasMatch()) continue;
    QString pattern = QRegularExpression::escape(m.captured(1));
    pattern.replace("\\*", ".*");
    kept.emplace_back(QRegularExpression::anchoredPattern(pattern));
  }
  EXPECT_FALSE(kept.empty());
  return kept;
}

// A text as it is compared: without its menu key mark and the blanks around it.
QString Plain(QString text) { return text.remove('&').trimmed(); }

using UntranslatedTextTest = WindowFixture;

// The window with its dialogs: the About box and the difference view (a file against the
// working set, so that its list holds entries).
TEST_F(UntranslatedTextTest, NoEnglishTextIsLeftInAnotherLanguage) {
  const std::vector<QRegularExpression> kept = KeptAlike();
  auto* about = new AboutBox(window_.get());
  DiffDialog& differences = window_->differences();
  differences.Open(false);
  differences.SetFile(DefaultParameterSet(17), "bike17.ign");
  const auto show = [&](const char* item, Language language) {
    window_->findChild<QAction*>(item)->trigger();
    // The recording bar follows the language at the next tick, as the user sees it.
    Tick();
    about->set_language(language);
    about->Activate();
    differences.Refresh();
    return Collect(*window_);
  };
  const Texts english = show("MenuEnglish", Language::kEnglish);
  ASSERT_GT(english.size(), 100u);
  std::vector<bool> seen(kept.size(), false);
  const auto listed = [&](const QString& place, const QString& text) {
    const QString where = place.section('/', -1);
    for (std::size_t i = 0; i < kept.size(); ++i) {
      if (kept[i].match(text).hasMatch() || kept[i].match(where).hasMatch()) {
        seen[i] = true;
        return true;
      }
    }
    return false;
  };
  const struct {
    const char* item;
    Language language;
  } others[] = {{"MenuGerman", Language::kGerman},
                {"MenuFrench", Language::kFrench},
                {"MenuCzech", Language::kCzech}};
  for (const auto& other : others) {
    SCOPED_TRACE(other.item);
    const Texts shown = show(other.item, other.language);
    for (const auto& [place, text] : shown) {
      const auto in_english = english.find(place);
      if (in_english == english.end() || Plain(in_english->second) != Plain(text)) continue;
      if (!HoldsAWord(text) || listed(place, Plain(text))) continue;
      ADD_FAILURE() << "still English: \"" << text.toStdString() << "\" at " << place.toStdString();
    }
  }
  // The list stays true: a caption translated since, or gone, leaves it.
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_TRUE(seen[i]) << "listed as kept alike but not seen so: "
                         << kept[i].pattern().toStdString();
  }
}

}  // namespace
}  // namespace korvan::ui
