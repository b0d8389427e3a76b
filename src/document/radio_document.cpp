#include "document/radio_document.h"

#include "image/block_address.h"
#include "image/json_form.h"

RadioDocument::RadioDocument(QObject* parent) : QObject(parent) {
    // A new table brings new cells, checked once its announcement has gone out; the setters that move the
    // limits (band, range texts) check the table themselves.
    connect(this, &RadioDocument::tableReset, this, &RadioDocument::revalidate);
    // No band is selected until the window has filled its band selector.
    model_.band = -1;
    model_.strType = 16;
    layOut();
}

void RadioDocument::chooseModel(int entryIndex) {
    if (entryIndex < 0 || entryIndex >= ModelTable::kSize)
        return;
    model_.applyEntry(models_.entries[entryIndex]);
    model_.modelIndex = entryIndex;
    syncSettingsLayout();
    selectBand(0);
    layOut();
}

void RadioDocument::setModelName(const QString& name, int entryIndex) {
    model_.strPc = name;
    if (entryIndex >= 0 && entryIndex < ModelTable::kSize)
        model_.modelIndex = entryIndex;
    Q_EMIT modelChanged();
}

void RadioDocument::selectBand(int band, bool relayOutWhenEmpty) {
    if (band == 0 || band == 1) {
        const bool changed = model_.band != band && (model_.band == 0 || model_.band == 1);
        model_.selectBand(models_, band);
        if (changed)
            setModified(true); // the band is stored with the channels, as the model code
    }
    Q_EMIT modelChanged();
    revalidate();
    // A table that holds data is kept when only the band changes.
    if (relayOutWhenEmpty && table_.cell(1, columnOf(table_.layout(), ChannelField::RxFrequency)).isEmpty())
        layOut();
}

QString RadioDocument::bandRange(int n) const {
    return n >= 1 && n <= kBandRangeCount ? bandRanges_[n - 1] : QString();
}

void RadioDocument::setBandRange(int n, const QString& text) {
    if (n < 1 || n > kBandRangeCount || bandRanges_[n - 1] == text)
        return;
    bandRanges_[n - 1] = text;
    Q_EMIT modelChanged();
    revalidate();
}

void RadioDocument::setBandRanges(const std::array<QString, kBandRangeCount>& ranges) {
    bandRanges_ = ranges;
    Q_EMIT modelChanged();
    revalidate();
}

QString RadioDocument::rangeText() const {
    return model_.band == 0 || model_.band == 1 ? bandRanges_[model_.band] : QString();
}

CellRules::FrequencyLimits RadioDocument::frequencyLimits() const {
    return CellRules::limitsFor(model_.I_data(), model_.band, rangeText());
}

void RadioDocument::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= table_.rowCount() || column < 0 || column >= table_.columnCount())
        return;
    if (table_.cell(row, column) == text)
        return;
    table_.setCell(row, column, text);
    revalidateCell(row, column);
    Q_EMIT cellChanged(row, column);
    setModified(true);
}

CellRules::Problem RadioDocument::cellProblem(int row, int column) const {
    return invalid_.value(cellKey(row, column), CellRules::Problem::None);
}

QVector<CellRules::CellIssue> RadioDocument::invalidCells() const {
    QVector<CellRules::CellIssue> cells;
    cells.reserve(invalid_.size());
    for (auto it = invalid_.cbegin(); it != invalid_.cend(); ++it)
        cells.append({int(it.key() >> 8), int(it.key() & 0xff), it.value()});
    return cells;
}

std::optional<CellRules::CellIssue> RadioDocument::nextInvalid(int row, int column) const {
    if (invalid_.isEmpty())
        return std::nullopt;
    auto it = invalid_.upperBound(cellKey(row, column));
    if (it == invalid_.cend())
        it = invalid_.cbegin();
    return CellRules::CellIssue{int(it.key() >> 8), int(it.key() & 0xff), it.value()};
}

void RadioDocument::revalidate() {
    QMap<quint32, CellRules::Problem> found;
    for (const CellRules::CellIssue& issue : CellRules::invalidCells(table_, frequencyLimits()))
        found.insert(cellKey(issue.row, issue.column), issue.problem);
    if (found == invalid_)
        return;
    invalid_ = std::move(found);
    Q_EMIT validityChanged();
}

void RadioDocument::revalidateCell(int row, int column) {
    if (row < 1 || column < 1 || column >= table_.columnCount())
        return;
    const CellRules::Problem problem =
        CellRules::problemOf(table_.columns()[column], table_.cell(row, column), frequencyLimits());
    const quint32 key = cellKey(row, column);
    if (problem == invalid_.value(key, CellRules::Problem::None))
        return;
    if (problem == CellRules::Problem::None)
        invalid_.remove(key);
    else
        invalid_.insert(key, problem);
    Q_EMIT validityChanged();
}

void RadioDocument::layOut() {
    model_.strStype = model_.layoutName();
    syncSettingsLayout();
    Q_EMIT tableAboutToBeReset();
    table_.layOut(model_.layout(), model_.strType);
    complete_ = true;
    filePath_.clear(); // a new table belongs to no file
    readFromRadio_ = false;
    Q_EMIT tableReset();
    Q_EMIT fileChanged();
    Q_EMIT modelChanged();
    setModified(false);
    Q_EMIT replaced();
}

void RadioDocument::setTable(const ChannelTable& table) {
    Q_EMIT tableAboutToBeReset();
    table_ = table;
    Q_EMIT tableReset();
    setModified(true);
}

void RadioDocument::changeTable(const ChannelTable& table) {
    if (table.layout() != table_.layout() || table.rowCount() != table_.rowCount() ||
        table.columnCount() != table_.columnCount()) {
        setTable(table);
        return;
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column)
            setCell(row, column, table.cell(row, column));
    }
    // The texts are equal now; a byte kept behind a text may still differ (a moved channel, an undo).
    if (!(table_ == table)) {
        table_ = table;
        setModified(true);
    }
}

Error RadioDocument::setSettingIndex(RadioSettings::List list, int index) {
    if (settings_.index(list) == index)
        return Error::none();
    if (const Error e = settings_.setIndex(list, index); e.isError())
        return e;
    Q_EMIT settingsChanged();
    setModified(true);
    return Error::none();
}

void RadioDocument::selectStartupSettings() {
    settings_.selectStartupDefaults();
    Q_EMIT settingsChanged();
}

void RadioDocument::setTune(const TuneValues& tune) {
    settings_.tune = tune;
    Q_EMIT settingsChanged();
    setModified(true);
}

void RadioDocument::recomputeFunctionByte() {
    syncSettingsLayout();
    settings_.recomputeFunctionByte();
    Q_EMIT settingsChanged();
}

void RadioDocument::applyLoaded(const LoadedChannelFile& loaded, const QString& path) {
    model_ = loaded.model;
    model_.strStype = model_.layoutName();
    settings_ = loaded.settings;
    syncSettingsLayout();
    Q_EMIT tableAboutToBeReset();
    table_ = loaded.table;
    filePath_ = path;
    readFromRadio_ = false;
    complete_ = loaded.complete;
    // Channel n lives in blocks 2n and 2n+1, after the two settings blocks.
    presentChannels_ = complete_ ? model_.strType : qBound(0, (loaded.linesRead - 2) / 2, model_.strType);
    Q_EMIT tableReset();
    Q_EMIT fileChanged();
    Q_EMIT modelChanged();
    Q_EMIT settingsChanged();
    setModified(false);
    Q_EMIT replaced();
}

Error RadioDocument::openFile(const QString& path, LoadedChannelFile* loaded) {
    return decodeFile(path, path, loaded);
}

Error RadioDocument::openReceived(const QString& receivedPath, LoadedChannelFile* loaded) {
    const Error error = decodeFile(receivedPath, QString(), loaded);
    if (!error.isError()) {
        // Untitled, and not modified: what was read is already kept as a backup.
        readFromRadio_ = true;
        Q_EMIT fileChanged();
    }
    return error;
}

Error RadioDocument::openJson(const QString& path, const QString& documentPath, LoadedChannelFile* loaded) {
    StartupConfig config;
    config.bandRanges = bandRanges_;
    LoadedChannelFile decoded;
    const Error error = JsonForm::readFile(path, models_, config, &decoded);
    if (!error.isError())
        applyLoaded(decoded, documentPath);
    if (loaded)
        *loaded = decoded;
    return error;
}

Error RadioDocument::decodeFile(const QString& path, const QString& documentPath, LoadedChannelFile* loaded) {
    LoadedChannelFile decoded;
    const Error error = LoadChannelFile(path, models_, settings_, &decoded);
    if (!error.isError())
        applyLoaded(decoded, documentPath);
    if (loaded)
        *loaded = decoded;
    return error;
}

Error RadioDocument::saveFile(const QString& path) {
    if (const Error e = SaveChannelFile(path, model_, table_, settings_); e.isError())
        return e;
    markSaved(path);
    return Error::none();
}

LoadedChannelFile RadioDocument::contents() const {
    LoadedChannelFile c;
    c.model = model_;
    c.table = table_;
    c.settings = settings_;
    c.complete = complete_;
    return c;
}

DocumentState RadioDocument::state() const {
    return {model_, bandRanges_, table_, settings_};
}

void RadioDocument::restoreState(const DocumentState& state) {
    const bool modelDiffers = !(state.model == model_) || state.bandRanges != bandRanges_;
    const bool settingsDiffer = !(state.settings == settings_);
    model_ = state.model;
    bandRanges_ = state.bandRanges;
    settings_ = state.settings;
    syncSettingsLayout();
    changeTable(state.table);
    if (modelDiffers) {
        Q_EMIT modelChanged();
        revalidate();
    }
    if (settingsDiffer)
        Q_EMIT settingsChanged();
    if (modelDiffers || settingsDiffer)
        setModified(true);
}

void RadioDocument::markSaved(const QString& path) {
    filePath_ = path;
    readFromRadio_ = false;
    Q_EMIT fileChanged();
    setModified(false);
}

void RadioDocument::markUnmodified() {
    setModified(false);
}

void RadioDocument::setModified(bool modified) {
    if (modified_ == modified)
        return;
    modified_ = modified;
    Q_EMIT modifiedChanged(modified);
}

void RadioDocument::syncSettingsLayout() {
    settings_.setLayout(model_.layout());
}
