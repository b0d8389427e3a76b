#include "ui/settings_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "document/radio_document.h"
#include "texts/ui_texts.h"

namespace {

// Top to bottom as the panel shows them.
constexpr RadioSettings::List kOrder[] = {
    RadioSettings::FuncMoni, RadioSettings::Sd,      RadioSettings::TSY,
    RadioSettings::RPGN,     RadioSettings::FuncTOT, RadioSettings::FuncSQL,
    RadioSettings::FuncSave, RadioSettings::YXXD,    RadioSettings::YYBP,
};

constexpr int kRowTop = 22;
constexpr int kRowStep = 30;
constexpr int kLabelLeft = 10;
constexpr int kLabelWidth = 84;
constexpr int kComboLeft = 96;
constexpr int kComboWidth = 112;
constexpr int kRowHeight = 22;

} // namespace

SettingsPanel::SettingsPanel(RadioDocument& document, QWidget* parent)
    : QGroupBox(UiText::FrameSettings, parent), document_(document) {
    setObjectName(QStringLiteral("fraSettings"));
    int row = 0;
    for (RadioSettings::List list : kOrder) {
        const QString name = RadioSettings::objectName(list);
        auto* label = new QLabel(RadioSettings::label(list), this);
        label->setObjectName(QStringLiteral("lbl") + name.mid(3));
        label->setGeometry(kLabelLeft, kRowTop + row * kRowStep, kLabelWidth, kRowHeight);
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->addItems(RadioSettings::items(list));
        combo->setCurrentIndex(-1); // nothing is selected until the start-up defaults are
        combo->setGeometry(kComboLeft, kRowTop + row * kRowStep, kComboWidth, kRowHeight);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, list](int i) { onSelected(list, i); });
        labels_[list] = label;
        combos_[list] = combo;
        ++row;
    }
    connect(&document_, &RadioDocument::settingsChanged, this, &SettingsPanel::refresh);
}

void SettingsPanel::refresh() {
    for (int i = 0; i < RadioSettings::ListCount; ++i) {
        const auto list = RadioSettings::List(i);
        const QSignalBlocker block(combos_[list]);
        combos_[list]->setCurrentIndex(document_.settings().index(list));
    }
}

void SettingsPanel::setLayout(Layout layout) {
    const bool layoutOne = layout == Layout::One;
    for (RadioSettings::List list : {RadioSettings::RPGN, RadioSettings::YXXD}) {
        labels_[list]->setEnabled(layoutOne);
        combos_[list]->setEnabled(layoutOne);
    }
}

void SettingsPanel::onSelected(RadioSettings::List list, int index) {
    // The lists hold exactly the settings' items, so the index is always one the settings accept.
    document_.setSettingIndex(list, index);
}
