#pragma once

#include <QObject>
#include <vector>

class MainWindow;
class ModelDialog;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class RadioDocument;

// The model and band of the open document as the main window offers them: "新建" with the model dialog
// frmJXXZ, the model items mnuTYPE_n of the "新建" menu, and the band selector cboPCmodel with the range
// label Label2, which show the document's model and band.
class ModelCommands : public QObject {
    Q_OBJECT
public:
    ModelCommands(MainWindow& window, RadioDocument& document, QMenu* newMenu, QComboBox* bandSelector,
                  QLabel* rangeLabel, const QString& configPath);

    // New: the model dialog, then the model menu and the band list. A dialog closed without a choice changes
    // nothing.
    void chooseModel();
    // The model table and the model menu as the dialog fills them, without asking for a model: a file
    // opened at start is looked up among the configured models.
    void loadModels();
    // A model item of the "新建" menu: that model with band "(U)" and an empty table.
    void modelMenuClick(int index);
    // A band picked in the selector; an empty table is laid out again.
    void bandSelectorClick(int band);
    // Fills the band selector from the document from now on (until then it shows its design items).
    void startShowingModel();

    bool isModelMenuBuilt() const { return blnMenuBuilt_; }
    ModelDialog* dialog() const { return frmJXXZ_; }

private:
    void buildModelMenu(const QString& nameList);
    QAction* modelItem(int index);
    void showModel();

    MainWindow& window_;
    RadioDocument& document_;
    QMenu* mnuNew_;
    QComboBox* cboPCmodel_;
    QLabel* label2_;
    ModelDialog* frmJXXZ_;
    std::vector<QAction*> mnuTYPE_;
    bool blnMenuBuilt_ = false;
    bool showing_ = false;
};
