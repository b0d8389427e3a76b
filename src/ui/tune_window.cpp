#include "ui/tune_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <cmath>

#include "config/app_config.h"
#include "texts/ui_texts.h"
#include "ui/prompter.h"

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;

// A number as a technician would type it: digits with an optional sign and fraction, spaces around allowed.
// An empty box is not a number.
bool isNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

QTreeWidgetItem* makeNode(const QString& text, const QString& key, const QString& tag) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kKeyRole, key);
    item->setData(0, kTagRole, tag);
    return item;
}

QLabel* label(const QString& text, const QString& name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

TuneWindow::TuneWindow(const Context& context, TuneValues& values, Prompter& prompter, QWidget* parent)
    : QDialog(parent), context_(context), values_(values), prompter_(prompter) {
    setObjectName(QStringLiteral("frmMODE"));
    setWindowTitle(TuneText::Caption);
    setModal(true);
    buildTree();
    buildPages();
    load();
}

void TuneWindow::buildTree() {
    tremode_ = new QTreeWidget(this);
    tremode_->setObjectName(QStringLiteral("tremode"));
    tremode_->setHeaderHidden(true);
    tremode_->setColumnCount(1);
    tremode_->setMinimumWidth(140);
    QTreeWidgetItem* root = makeNode(TuneText::NodeRoot, QStringLiteral("node1"), QString());
    root->addChild(makeNode(TuneText::NodeFrequency, QStringLiteral("frequent"), QStringLiteral("1")));
    root->addChild(makeNode(TuneText::NodePower, QStringLiteral("power"), QStringLiteral("2")));
    tremode_->addTopLevelItem(root);
    tremode_->addTopLevelItem(makeNode(TuneText::NodeExit, QStringLiteral("node2"), QStringLiteral("3")));
    root->setExpanded(true);
    connect(tremode_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { nodeClicked(item); });
    // Enter on a node does what a click does, for those who work from the keyboard.
    connect(tremode_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { nodeClicked(item); });
}

namespace {

// Two exclusive choices in a row, named name_0 and name_1 as the rest of the program knows them.
void addChoices(QBoxLayout* row, const std::array<QString, 2>& texts, const QString& name,
                QButtonGroup* group, std::array<QRadioButton*, 2>& buttons) {
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QRadioButton(texts[i], row->parentWidget());
        buttons[i]->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        group->addButton(buttons[i], i);
        row->addWidget(buttons[i]);
    }
    row->addStretch(1);
}

// A label and its field per row; a row without a label spans both columns. Both pages share the grid, so
// that their labels line up under the model label; the hidden page's rows take no room.
QGridLayout* pageGrid(const QVector<QPair<QWidget*, QWidget*>>& rows) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& [label, field] : rows) {
        if (label) {
            grid->addWidget(label, row, 0, Qt::AlignRight);
            grid->addWidget(field, row, 1);
        } else {
            grid->addWidget(field, row, 0, 1, 2);
        }
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

void TuneWindow::buildPages() {
    lblRadiomodel_ = label(TuneText::RadioModel, QStringLiteral("lblRadiomodel"), this);
    for (int i = 0; i < 2; ++i) {
        cboPCmodel_[i] = new QComboBox(this);
        cboPCmodel_[i]->setObjectName(QStringLiteral("cboPCmodel_%1").arg(i));
        cboPCmodel_[i]->setMinimumWidth(160);
    }
    cboPCmodel_[1]->setEnabled(false); // the power page only shows the band

    // Frequency page.
    Text2_ = new QLineEdit(this);
    Text2_->setObjectName(QStringLiteral("Text2"));
    Text1_ = new QLineEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    auto* polarity = new QWidget(this);
    polarityGroup_ = new QButtonGroup(this);
    auto* polarityRow = new QHBoxLayout(polarity);
    polarityRow->setContentsMargins(0, 0, 0, 0);
    addChoices(polarityRow, {TuneText::Positive, TuneText::Negative}, QStringLiteral("Option1"),
               polarityGroup_, Option1_);
    auto* crystalFrame = new QGroupBox(TuneText::Crystal, this);
    crystalFrame->setObjectName(QStringLiteral("Frame1"));
    crystalGroup_ = new QButtonGroup(this);
    addChoices(new QHBoxLayout(crystalFrame), {TuneText::Crystal13, TuneText::Crystal144},
               QStringLiteral("optJT"), crystalGroup_, optJT_);
    QLabel* lowLabel = label(TuneText::LowEnd, QStringLiteral("lblLow"), this);
    QLabel* highLabel = label(TuneText::HighEnd, QStringLiteral("lblHigh"), this);
    QLabel* polarityLabel = label(TuneText::IntermediateFrequency, QStringLiteral("lblIF"), this);

    // Power page.
    freQuent_ = label(QString(), QStringLiteral("freQuent"), this);
    cboFrequent_ = new QComboBox(this);
    cboFrequent_->setObjectName(QStringLiteral("cboFrequent"));
    cboFrequent_->addItems(TuneText::PowerSteps);
    QLabel* rangeLabel = label(UiText::LabelRange, QStringLiteral("lblFrequent"), this);
    QLabel* powerLabel = label(TuneText::PowerStep, QStringLiteral("lblPower"), this);

    frequencyPageWidgets_ = {cboPCmodel_[0], lowLabel,    Text2_,      highLabel,    Text1_,    polarityLabel,
                             polarity,       Option1_[0], Option1_[1], crystalFrame, optJT_[0], optJT_[1]};
    powerPageWidgets_ = {cboPCmodel_[1], rangeLabel, freQuent_, powerLabel, cboFrequent_};

    QGridLayout* pages = pageGrid({{lblRadiomodel_, cboPCmodel_[0]},
                                   {lowLabel, Text2_},
                                   {highLabel, Text1_},
                                   {polarityLabel, polarity},
                                   {nullptr, crystalFrame},
                                   {rangeLabel, freQuent_},
                                   {powerLabel, cboFrequent_}});
    pages->addWidget(cboPCmodel_[1], 0, 1); // the two band combos share the first row
    auto* box = new QHBoxLayout(this);
    box->addWidget(tremode_);
    box->addLayout(pages, 1);
    resize(480, 240);

    connect(cboPCmodel_[0], qOverload<int>(&QComboBox::currentIndexChanged), this, &TuneWindow::chooseBand);
    connect(Text1_, &QLineEdit::textChanged, this, [this](const QString& t) { checkNumber(Text1_, t); });
    connect(Text2_, &QLineEdit::textChanged, this, [this](const QString& t) { checkNumber(Text2_, t); });
}

void TuneWindow::load() {
    for (QComboBox* combo : cboPCmodel_) {
        {
            // Filling selects the first item on its own; only the main window's band may fill the boxes.
            const QSignalBlocker quiet(combo);
            combo->clear();
            combo->addItems(
                {context_.modelName + UiText::BandSuffixU, context_.modelName + UiText::BandSuffixV});
            combo->setCurrentIndex(-1);
        }
        combo->setCurrentIndex(context_.bandIndex == 0 || context_.bandIndex == 1 ? context_.bandIndex : -1);
    }
    freQuent_->setText(context_.rangeLabel);
    cboFrequent_->setCurrentIndex(qBound(0, values_.sPower, int(TuneText::PowerSteps.size()) - 1));
    // The option controls show the values the codec uses; a loaded image may have changed them since the
    // window was last left, which must not be undone here.
    optJT_[values_.optJT == 1 ? 1 : 0]->setChecked(true);
    Option1_[values_.Option1 == 1 ? 1 : 0]->setChecked(true);
    showFrequencyPage();
}

void TuneWindow::chooseBand(int index) {
    if (index != 0 && index != 1)
        return;
    const BandRange range{context_.bandRanges[index]};
    Text2_->setText(range.lowText());
    Text1_->setText(range.highText());
}

void TuneWindow::checkNumber(QLineEdit* box, const QString& text) {
    if (emptying_ || isNumber(text))
        return;
    prompter_.message(this, Prompter::Icon::None, context_.messageTitle, TuneText::EnterNumber);
    // Our own emptying needs no second message: the user has just been told.
    emptying_ = true;
    box->clear();
    emptying_ = false;
}

void TuneWindow::showFrequencyPage() {
    showPage(powerPageWidgets_, false);
    showPage(frequencyPageWidgets_, true);
}

void TuneWindow::showPowerPage() {
    showPage(frequencyPageWidgets_, false);
    showPage(powerPageWidgets_, true);
}

void TuneWindow::showPage(const std::vector<QWidget*>& widgets, bool shown) {
    for (QWidget* w : widgets)
        w->setVisible(shown);
}

QTreeWidgetItem* TuneWindow::node(const QString& key) const {
    for (QTreeWidgetItemIterator it(tremode_); *it; ++it) {
        if ((*it)->data(0, kKeyRole).toString() == key)
            return *it;
    }
    return nullptr;
}

void TuneWindow::nodeClicked(QTreeWidgetItem* item) {
    if (!item || exit_ != Exit::Open)
        return;
    const QString tag = item->data(0, kTagRole).toString();
    if (tag == QLatin1String("1")) {
        showFrequencyPage();
    } else if (tag == QLatin1String("2")) {
        showPowerPage();
    } else if (tag == QLatin1String("3")) {
        store(Exit::ExitNode);
        accept();
    }
}

void TuneWindow::reject() {
    if (exit_ == Exit::Open)
        store(Exit::CloseBox);
    QDialog::reject();
}

void TuneWindow::store(Exit how) {
    exit_ = how;
    values_.optJT = optJT_[0]->isChecked() ? 0 : 1;
    values_.Option1 = Option1_[0]->isChecked() ? 0 : 1;
    const int band = cboPCmodel_[0]->currentIndex();
    const QString low = Text2_->text();
    const QString high = Text1_->text();
    if (!low.isEmpty() && !high.isEmpty() && (band == 0 || band == 1)) {
        // Other readers slice the range text by position, so limits that are not three digits are refused.
        if (const Error e = BandRange::checkLimits(low, high); e.isError())
            prompter_.showError(this, e, TransferTexts::ErrorForm::Refused);
        else
            stored_ = StoredRange{band + 1, BandRange::fromLimits(low, high).text};
    }
    values_.sPower = cboFrequent_->currentIndex() >= 0 ? cboFrequent_->currentIndex() : values_.sPower;
}
