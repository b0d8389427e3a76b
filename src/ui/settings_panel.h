#pragma once

#include <QGroupBox>
#include <array>

#include "image/radio_settings.h"

class QComboBox;
class QLabel;
class RadioDocument;

// The frame "功能设置": nine labelled drop-down lists showing the settings of a document. A selection made
// by the user goes into the document, whose settings recompute their kept bytes; whatever changes the
// settings (a file was opened, defaults were selected), the panel shows it.
class SettingsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SettingsPanel(RadioDocument& document, QWidget* parent = nullptr);

    // Shows the selections of the document's settings without feeding them back.
    void refresh();
    // Scrambling and priority channel exist only in layout 1; elsewhere they are greyed, selection kept.
    void setLayout(Layout layout);

    QComboBox* combo(RadioSettings::List list) const { return combos_[list]; }
    QLabel* label(RadioSettings::List list) const { return labels_[list]; }

private:
    void onSelected(RadioSettings::List list, int index);

    RadioDocument& document_;
    std::array<QComboBox*, RadioSettings::ListCount> combos_{};
    std::array<QLabel*, RadioSettings::ListCount> labels_{};
};
