#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "image/radio_settings.h"

class Prompter;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// frmMODE: band limits, crystal, intermediate-frequency polarity and power step. The public values live in
// the main window's TuneValues, so they outlive every showing; the window reads them when it loads and
// stores them when it is left, through the "退出调整" node or the close box.
class TuneWindow : public QDialog {
    Q_OBJECT
public:
    // What the window shows of the main window when it loads.
    struct Context {
        QString modelName;                 // strPc
        int bandIndex = -1;                // the main window's band selector
        std::array<QString, 2> bandRanges; // PL1, PL2
        QString rangeLabel;                // the main window's band label
        QString messageTitle;              // title of the "请输入数字" message
    };
    enum class Exit { Open, ExitNode, CloseBox };
    // A band range formed on leaving: which key (1 = PL1, 2 = PL2) and its text.
    struct StoredRange {
        int band = 0;
        QString text;
    };

    TuneWindow(const Context& context, TuneValues& values, Prompter& prompter, QWidget* parent = nullptr);

    // Tree nodes: tag "1" shows the frequency page, "2" the power page, "3" stores and leaves.
    void nodeClicked(QTreeWidgetItem* node);
    void showFrequencyPage();
    void showPowerPage();

    Exit exit() const { return exit_; }
    // Set when the window was left with both boxes holding three-digit limits and a band item chosen.
    std::optional<StoredRange> storedRange() const { return stored_; }

    QTreeWidget* tree() const { return tremode_; }
    QTreeWidgetItem* node(const QString& key) const; // "node1", "frequent", "power", "node2"

    void reject() override; // the close box and Esc

private:
    void buildTree();
    void buildPages();
    void load();
    void chooseBand(int index);
    void checkNumber(QLineEdit* box, const QString& text);
    void store(Exit how);
    static void showPage(const std::vector<QWidget*>& widgets, bool shown);

    Context context_;
    TuneValues& values_;
    Prompter& prompter_;
    Exit exit_ = Exit::Open;
    std::optional<StoredRange> stored_;
    bool emptying_ = false;

    QTreeWidget* tremode_ = nullptr;
    QLabel* lblRadiomodel_ = nullptr;
    std::array<QComboBox*, 2> cboPCmodel_{};
    QLineEdit* Text1_ = nullptr; // high end
    QLineEdit* Text2_ = nullptr; // low end
    std::array<QRadioButton*, 2> Option1_{};
    std::array<QRadioButton*, 2> optJT_{};
    QButtonGroup* polarityGroup_ = nullptr;
    QButtonGroup* crystalGroup_ = nullptr;
    QLabel* freQuent_ = nullptr;
    QComboBox* cboFrequent_ = nullptr;
    std::vector<QWidget*> frequencyPageWidgets_;
    std::vector<QWidget*> powerPageWidgets_;
};
