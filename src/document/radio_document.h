#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <array>
#include <optional>

#include "config/app_config.h"
#include "image/cell_rules.h"
#include "image/channel_file.h"
#include "image/channel_table.h"
#include "image/current_model.h"
#include "image/radio_settings.h"

// What an undo step restores: everything the user can change, but not the file it came from.
struct DocumentState {
    CurrentModel model;
    std::array<QString, 6> bandRanges;
    ChannelTable table;
    RadioSettings settings;

    bool operator==(const DocumentState& o) const {
        return model == o.model && bandRanges == o.bandRanges && table == o.table && settings == o.settings;
    }
};

// The open channel set: the model and band, the band range texts and the frequency limits they give, the
// channel table, the radio settings (with the kept bytes and the tune values), the file it came from,
// whether it is complete, and whether it was changed since it was last opened, saved, read or written.
// Every change goes through here and is announced, so the windows only show it and the command line and
// the jobs work on the same object.
class RadioDocument : public QObject {
    Q_OBJECT
public:
    static constexpr int kBandRangeCount = 6; // PL1 ... PL4, pl5, pl6

    explicit RadioDocument(QObject* parent = nullptr);

    // --- The model table of the configuration file; the model dialog fills it.
    ModelTable& models() { return models_; }
    const ModelTable& models() const { return models_; }

    // --- Model and band.
    const CurrentModel& model() const { return model_; }
    // The entry's name, channel count and layout; the band is set to "(U)" and the table laid out anew.
    void chooseModel(int entryIndex);
    // The model name with the entry behind it, -1 when no entry is known (no model chosen yet): the model
    // code then stays as it was. Channel count and layout are left alone.
    void setModelName(const QString& name, int entryIndex);
    // Selects band 0 "(U)" or 1 "(V)" and takes the model code of that band from the model's entry. With
    // `relayOutWhenEmpty`, a table whose first receive frequency is empty is laid out again.
    void selectBand(int band, bool relayOutWhenEmpty = false);

    // --- Band range texts ("400MHz---470MHz"), n = 1 ... 6; the tune window changes PL1 and PL2.
    QString bandRange(int n) const;
    void setBandRange(int n, const QString& text);
    void setBandRanges(const std::array<QString, kBandRangeCount>& ranges);
    // The range of the selected band; empty while no band is selected.
    QString rangeText() const;
    // The limits the frequency cells are checked against.
    CellRules::FrequencyLimits frequencyLimits() const;

    // --- The channel table (row 0 the headers, column 0 the channel numbers).
    const ChannelTable& table() const { return table_; }
    QString cell(int row, int column) const { return table_.cell(row, column); }
    void setCell(int row, int column, const QString& text);
    // Empties the table and lays it out for the model's layout and channel count.
    void layOut();
    // Replaces the whole table (its layout and rows) at once.
    void setTable(const ChannelTable& table);
    // Takes the cells of an edited copy of the table: with the same layout and size only the cells that
    // differ change (announced one by one, so the grid keeps its selection); otherwise as setTable.
    void changeTable(const ChannelTable& table);

    // --- Validity. A file or a radio may bring values the editors would not leave in a cell (a frequency
    // outside the band, an unknown code): they are kept as they came and marked here, for every door a
    // value comes in by, so that nothing marked reaches a radio.
    CellRules::Problem cellProblem(int row, int column) const;
    int invalidCount() const { return invalid_.size(); }
    // The marked cells, channel by channel, left to right.
    QVector<CellRules::CellIssue> invalidCells() const;
    // The first marked cell after (row, column) in that order, from the top again past the last one;
    // nothing when no cell is marked.
    std::optional<CellRules::CellIssue> nextInvalid(int row, int column) const;

    // --- Radio settings.
    const RadioSettings& settings() const { return settings_; }
    Error setSettingIndex(RadioSettings::List list, int index);
    // The start-up selections of every list, then both kept bytes.
    void selectStartupSettings();
    void setTune(const TuneValues& tune);
    // Brings the function byte in line with the lists and the tune options (after the tune window).
    void recomputeFunctionByte();

    // --- A decoded channel file (opened, or received from the radio) replaces model, table and settings.
    void applyLoaded(const LoadedChannelFile& loaded, const QString& path);
    // Reads and decodes a channel file against the model table, the settings so far supplying what the file
    // leaves alone, and applies it when it decoded; otherwise the document stays as it was. `loaded`, when
    // given, receives what the file held (lines read, completeness).
    Error openFile(const QString& path, LoadedChannelFile* loaded = nullptr);
    // The same for the received file of a read: the channels came from the radio, so the document has no
    // file of its own afterwards.
    Error openReceived(const QString& receivedPath, LoadedChannelFile* loaded = nullptr);
    // The same for the JSON form, checked against the model table and this document's band ranges; the
    // document then belongs to `documentPath` (empty: to no file, so that 另存 asks for one).
    Error openJson(const QString& path, const QString& documentPath, LoadedChannelFile* loaded = nullptr);
    // Writes the document as a channel file (the old file stays whole on any failure) and remembers it.
    Error saveFile(const QString& path);
    // Model, table, settings and completeness as one value, as a decoded file would give them.
    LoadedChannelFile contents() const;

    // --- Undo: the state as a value, and putting one back (announced like the changes that made it).
    DocumentState state() const;
    void restoreState(const DocumentState& state);

    // --- File, completeness, modification.
    QString filePath() const { return filePath_; }
    // False after a short file or an interrupted read: channels past the end were never received.
    bool isComplete() const { return complete_; }
    // The first channel that never arrived, 0 when the table is complete.
    int firstMissingChannel() const { return complete_ ? 0 : presentChannels_ + 1; }
    // Whether the document differs from the file named in the title (from what was read, while untitled).
    bool isModified() const { return modified_; }
    // Whether the channels came from a radio and have not been saved to a file since.
    bool isReadFromRadio() const { return readFromRadio_; }
    // After a save: the document now matches the file.
    void markSaved(const QString& path);
    void markUnmodified();

Q_SIGNALS:
    void tableAboutToBeReset();            // the whole table is about to be replaced
    void tableReset();                     // layout, rows or all cells replaced
    void cellChanged(int row, int column); // one cell
    void settingsChanged();                // list selections, kept bytes or tune values
    void modelChanged();                   // model, band, code or range texts
    void modifiedChanged(bool modified);
    void fileChanged(); // the file it came from or its completeness
    // Opened, received or laid out anew: the document is another one, with no history of changes.
    void replaced();
    // Cells were marked or cleared (after the change that did it was announced).
    void validityChanged();

private:
    void setModified(bool modified);
    Error decodeFile(const QString& path, const QString& documentPath, LoadedChannelFile* loaded);
    void syncSettingsLayout();
    void revalidate();
    void revalidateCell(int row, int column);
    static quint32 cellKey(int row, int column) { return quint32(row) << 8 | quint32(column & 0xff); }

    ModelTable models_;
    CurrentModel model_;
    std::array<QString, kBandRangeCount> bandRanges_;
    ChannelTable table_;
    RadioSettings settings_;
    QString filePath_;
    bool complete_ = true;
    int presentChannels_ = 0; // channels whose two blocks were in the file or arrived from the radio
    bool modified_ = false;
    bool readFromRadio_ = false;
    QMap<quint32, CellRules::Problem> invalid_; // ordered as the table reads: row, then column
};
