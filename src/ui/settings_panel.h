#pragma once

#include <QGroupBox>
#include <array>

#include "image/radio_settings.h"

class QComboBox;
class QLabel;

// The frame "功能设置": nine labelled drop-down lists bound to a RadioSettings value. A selection made by
// the user goes straight into the settings, which recompute their kept bytes; refresh() shows the settings
// after code changed them (a file was opened, defaults were selected).
class SettingsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SettingsPanel(RadioSettings* settings, QWidget* parent = nullptr);

    // Shows the selections of the bound settings without feeding them back.
    void refresh();
    // Scrambling and priority channel exist only in layout 1; elsewhere they are greyed, selection kept.
    void setLayout(Layout layout);

    QComboBox* combo(RadioSettings::List list) const { return combos_[list]; }
    QLabel* label(RadioSettings::List list) const { return labels_[list]; }

private:
    void onSelected(RadioSettings::List list, int index);

    RadioSettings* settings_;
    std::array<QComboBox*, RadioSettings::ListCount> combos_{};
    std::array<QLabel*, RadioSettings::ListCount> labels_{};
};
