#include "ui/diff_dialog.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QVBoxLayout>
#include <set>

#include "diff/diff_report.h"

namespace korvan::ui {
namespace {

QString Qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

constexpr int kAllPages = -2;  // the page filter's "All pages"

}  // namespace

DiffDialog::DiffDialog(Station& station, std::function<void()> after_change, QWidget* parent)
    : QDialog(parent), station_(station), after_change_(std::move(after_change)) {
  setObjectName("DiffDialog");
  resize(900, 600);
  auto* column = new QVBoxLayout(this);
  auto* sides = new QHBoxLayout();
  side_a_ = new QComboBox(this);
  side_a_->setObjectName("DiffSideA");
  side_b_ = new QComboBox(this);
  side_b_->setObjectName("DiffSideB");
  read_unit_ = new QPushButton(this);
  read_unit_->setObjectName("DiffReadUnit");
  page_filter_ = new QComboBox(this);
  page_filter_->setObjectName("DiffPageFilter");
  sides->addWidget(side_a_, 1);
  sides->addWidget(new QLabel(QStringLiteral("\u2194"), this));
  sides->addWidget(side_b_, 1);
  sides->addWidget(read_unit_);
  sides->addSpacing(20);
  sides->addWidget(page_filter_, 1);
  column->addLayout(sides);
  summary_ = new QLabel(this);
  summary_->setObjectName("DiffSummary");
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(summary_);
  table_ = new QTableWidget(0, 4, this);
  table_->setObjectName("DiffTable");
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  column->addWidget(table_, 1);
  take_ = new QPushButton(this);
  take_->setObjectName("DiffTakeSelected");
  // Says why Take is greyed out while neither side (or both) is the working set.
  take_why_ = new QLabel(this);
  take_why_->setObjectName("DiffTakeWhy");
  close_ = new QPushButton(this);
  close_->setObjectName("DiffClose");
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(take_why_, 1);
  buttons->addWidget(take_);
  buttons->addWidget(close_);
  column->addLayout(buttons);

  connect(side_a_, &QComboBox::activated, this, [this] { SideChosen(side_a_, &a_); });
  connect(side_b_, &QComboBox::activated, this, [this] { SideChosen(side_b_, &b_); });
  connect(read_unit_, &QPushButton::clicked, this, [this] {
    station_.MenuShowDifferencesClick();
    if (after_change_) after_change_();
  });
  connect(page_filter_, &QComboBox::currentIndexChanged, this, [this] {
    if (!updating_) FillTable();
  });
  connect(table_, &QTableWidget::itemSelectionChanged, this, &DiffDialog::UpdateTake);
  connect(take_, &QPushButton::clicked, this, &DiffDialog::TakeSelected);
  connect(close_, &QPushButton::clicked, this, &QDialog::close);
  Refresh();
}

void DiffDialog::Open(bool with_unit) {
  if (with_unit) SetSides(kWorkingSet, kUnit);
  Refresh();
  show();
  raise();
  activateWindow();
}

void DiffDialog::SetSides(Side a, Side b) {
  a_ = a;
  b_ = b;
  Refresh();
}

void DiffDialog::SetFile(const ParameterImage& image, const std::string& name) {
  file_image_ = image;
  file_name_ = name;
  has_file_ = true;
  b_ = kFile;
  Refresh();
}

const ParameterImage* DiffDialog::SideImage(int side) const {
  switch (side) {
    case kWorkingSet:
      return &station_.image();
    case kUnit:
      return station_.diff().unit_side_image();
    default:
      return has_file_ ? &file_image_ : nullptr;
  }
}

void DiffDialog::SideChosen(QComboBox* box, int* side) {
  const int chosen = box->currentIndex();
  if (chosen == kFile) {
    std::string name;
    if (const std::optional<ParameterImage> file = station_.diff().ChooseDiffFile(&name)) {
      file_image_ = *file;
      file_name_ = name;
      has_file_ = true;
    } else if (!has_file_) {
      box->setCurrentIndex(*side);  // nothing chosen: the side stays what it was
      return;
    }
  }
  *side = chosen;
  Refresh();
}

void DiffDialog::Retranslate() {
  const Language lang = station_.language();
  const auto text = [lang](MessageKey key) { return Qs(MessageText(key, lang)); };
  setWindowTitle(text(MessageKey::kMsgDiffTitle));
  const QString file = has_file_ ? text(MessageKey::kMsgDiffFileNamed) +
                                       QFileInfo(QString::fromStdString(file_name_)).fileName()
                                 : text(MessageKey::kMsgDiffFile);
  for (auto [box, side] : {std::pair{side_a_, a_}, std::pair{side_b_, b_}}) {
    box->clear();
    box->addItems({text(MessageKey::kMsgDiffWorkingSet), text(MessageKey::kMsgDiffUnit), file});
    box->setCurrentIndex(side);
  }
  read_unit_->setText(text(MessageKey::kMsgDiffReadUnit));
  take_->setText(text(MessageKey::kMsgDiffTakeSelected));
  close_->setText(text(MessageKey::kMsgDiffClose));
  take_why_->setText(text(MessageKey::kMsgDiffTakeNeedsWorkingSet));
  table_->setHorizontalHeaderLabels({text(MessageKey::kMsgDiffPage),
                                     text(MessageKey::kMsgDiffField), side_a_->currentText(),
                                     side_b_->currentText()});
}

void DiffDialog::RefreshIfChanged() {
  const ParameterImage* a = SideImage(a_);
  const ParameterImage* b = SideImage(b_);
  const auto unchanged = [](const ParameterImage* now, bool had, const ParameterImage& then) {
    return now == nullptr ? !had : had && *now == then;
  };
  const bool same = unchanged(a, had_a_, compared_a_) && unchanged(b, had_b_, compared_b_) &&
                    station_.language() == compared_language_;
  if (!same) Refresh();
}

void DiffDialog::Refresh() {
  updating_ = true;
  Retranslate();
  const Language lang = station_.language();
  const ParameterImage* a = SideImage(a_);
  const ParameterImage* b = SideImage(b_);
  compared_language_ = lang;
  had_a_ = a != nullptr;
  had_b_ = b != nullptr;
  if (had_a_) compared_a_ = *a;
  if (had_b_) compared_b_ = *b;
  entries_.clear();
  QString summary;
  if (a == nullptr || b == nullptr) {
    summary =
        Qs(MessageText((a_ == kUnit || b_ == kUnit) && station_.diff().unit_side_image() == nullptr
                           ? MessageKey::kMsgDiffUnitNotRead
                           : MessageKey::kMsgDiffEqual,
                       lang));
  } else {
    entries_ = DiffImages(*a, *b);
    const FieldLabelLookup label = [this](const Field& field, int element) {
      return station_.diff().FieldLabel(field, element);
    };
    if (entries_.empty()) summary = Qs(MessageText(MessageKey::kMsgDiffEqual, lang));
    for (const DiffPageSummary& s : SummarizeDiff(entries_)) {
      if (!summary.isEmpty()) summary += "\n";
      summary += Qs(DiffSummaryLine(s, entries_, lang, label));
    }
  }
  summary_->setText(summary);
  // The filter offers the pages that have differences.
  const int filtered =
      page_filter_->currentData().isValid() ? page_filter_->currentData().toInt() : kAllPages;
  page_filter_->clear();
  page_filter_->addItem(Qs(MessageText(MessageKey::kMsgDiffAllPages, lang)), kAllPages);
  std::set<int> pages;
  for (const DiffEntry& e : entries_) pages.insert(e.page < 0 ? 1000 : e.page);
  for (int key : pages) {
    const int page = key == 1000 ? -1 : key;
    page_filter_->addItem(Qs(DiffPageName(page, lang)), page);
  }
  const int keep = page_filter_->findData(filtered);
  page_filter_->setCurrentIndex(keep < 0 ? 0 : keep);
  updating_ = false;
  FillTable();
  // The buttons' new texts may need more room: lay out now, not at the next event.
  layout()->activate();
}

void DiffDialog::FillTable() {
  const Language lang = station_.language();
  const int page =
      page_filter_->currentData().isValid() ? page_filter_->currentData().toInt() : kAllPages;
  const FieldLabelLookup label = [this](const Field& field, int element) {
    return station_.diff().FieldLabel(field, element);
  };
  table_->clearContents();
  table_->setRowCount(0);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const DiffEntry& e = entries_[i];
    if (page != kAllPages && e.page != page) continue;
    const int row = table_->rowCount();
    table_->insertRow(row);
    const QString texts[4] = {Qs(DiffPageName(e.page, lang)), Qs(DiffEntryPlace(e, lang, label)),
                              Qs(DiffValueText(e, false, label)),
                              Qs(DiffValueText(e, true, label))};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      item->setData(Qt::UserRole, static_cast<int>(i));
      table_->setItem(row, c, item);
    }
  }
  table_->resizeColumnToContents(0);
  table_->resizeColumnToContents(2);
  table_->resizeColumnToContents(3);
  UpdateTake();
}

void DiffDialog::UpdateTake() {
  const bool one_side_is_working = (a_ == kWorkingSet) != (b_ == kWorkingSet);
  take_->setEnabled(one_side_is_working && !table_->selectionModel()->selectedRows().isEmpty());
  // The reason shows only while it is what keeps Take greyed; it is the button's tool tip too.
  take_why_->setVisible(!one_side_is_working);
  take_->setToolTip(one_side_is_working ? QString() : take_why_->text());
}

void DiffDialog::TakeSelected() {
  if ((a_ == kWorkingSet) == (b_ == kWorkingSet)) return;
  const ParameterImage* source = SideImage(a_ == kWorkingSet ? b_ : a_);
  if (source == nullptr) return;
  std::vector<DiffEntry> chosen;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    chosen.push_back(entries_[static_cast<std::size_t>(index.data(Qt::UserRole).toInt())]);
  }
  // The source is copied first: taking changes the working set, never the other side.
  const ParameterImage from = *source;
  station_.TakeDifferences(from, chosen);
  if (after_change_) after_change_();
  Refresh();
}

}  // namespace korvan::ui
