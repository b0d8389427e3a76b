// Pastes 99 channels into the real window and undoes the paste, 20 times each, and prints the median and
// worst times. Goal: each under 50 ms.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTableView>
#include <algorithm>
#include <cstdio>

#include "bench_report.h"
#include "document/radio_document.h"
#include "image/channel_paste.h"
#include "ui/main_window.h"
#include "ui/prompter.h"

namespace {

class SilentPrompter : public Prompter {
public:
    Answer message(QWidget*, Icon, const QString&, const QString&, Buttons) override { return Answer::Yes; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString data = QStringLiteral(RADIOCPS_SOURCE_DIR "/data");
    SilentPrompter prompter;
    MainWindow window(data + QStringLiteral("/Sfc.ini"), &prompter);
    RadioDocument& document = window.document();
    document.models().readFrom(data + QStringLiteral("/Sfc.ini"));
    if (const Error e = document.openFile(data + QStringLiteral("/samples/rc996-99.qfd")); e.isError()) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description));
        return 1;
    }
    QList<int> all;
    for (int c = 1; c <= document.table().channelCount(); ++c)
        all << c;
    const QString text = ChannelPaste::tabText(document.table(), all);
    auto* grid = window.findChild<QTableView*>(QStringLiteral("gridXDSZ"));
    QAction* paste = window.findChild<QAction*>(QStringLiteral("mnuPaste"));
    QAction* undo = window.findChild<QAction*>(QStringLiteral("mnuUndo"));
    QAction* clear = window.findChild<QAction*>(QStringLiteral("mnuClearRow"));
    grid->selectAll();
    clear->trigger(); // an empty table, so that every paste changes all 99 channels

    QVector<double> pasting, undoing;
    QElapsedTimer timer;
    for (int run = 0; run < 20; ++run) {
        QApplication::clipboard()->setText(text);
        grid->setCurrentIndex(grid->model()->index(0, 0));
        timer.start();
        paste->trigger();
        pasting << timer.nsecsElapsed() / 1e6;
        const int pastedChannels = document.table().lastUsedChannel();
        timer.start();
        undo->trigger();
        undoing << timer.nsecsElapsed() / 1e6;
        // A figure is worth something only when the paste and the undo did their work.
        if (pastedChannels != document.table().channelCount() || document.table().lastUsedChannel() != 0) {
            std::fprintf(stderr, "paste or undo did not change the table (%d used after paste)\n",
                         pastedChannels);
            return 1;
        }
    }
    std::printf("%d channels\n", document.table().channelCount());
    reportTimes("paste", pasting);
    reportTimes("undo of the paste", undoing);
    return 0;
}
