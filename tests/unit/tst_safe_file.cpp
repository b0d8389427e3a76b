// Every file the tool writes: a whole new content or the old file untouched, never a cut file reported as
// saved. The failures are real: a file-size limit on the process, and a full tmpfs when we may mount one.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

#include "../support/file_bytes.h"
#include "../support/test_models.h"
#include "config/ini_file.h"
#include "config/safe_file.h"
#include "image/channel_file.h"
#include "link/received_file.h"
#include "print/report_data.h"
#include "print/report_print.h"

namespace {

using Writer = std::function<Error(const QString&)>;

const QByteArray kOld = "[Frequent]\r\nPL1=400MHz---470MHz\r\n";

// Larger than QFileDevice's 16 KiB buffer, so it reaches the disk in more than one write.
QByteArray bigBytes() {
    QByteArray b;
    for (int i = 0; b.size() < 40000; ++i)
        b += QByteArray::number(i) + '\n';
    return b;
}

Error saveChannels(const QString& path) {
    const ModelTable t = TestModels::shipped();
    CurrentModel model;
    model.modelIndex = TestModels::Rc160;
    model.applyEntry(t.entries[TestModels::Rc160]);
    model.selectBand(t, 0);
    ChannelTable table;
    table.layOut(model.layout(), model.strType);
    table.setCell(1, 1, QStringLiteral("438.50000"));
    RadioSettings settings;
    settings.setLayout(model.layout());
    settings.selectStartupDefaults();
    return SaveChannelFile(path, model, table, settings);
}

// The writers that fail the same way; each writes more than a few hundred bytes.
void addWriterRows() {
    QTest::addColumn<Writer>("writer");
    QTest::newRow("whole bytes") << Writer(
        [](const QString& p) { return writeFileAtomically(p, bigBytes()); });
    QTest::newRow("streamed, unchecked writes") << Writer([](const QString& p) {
        // Like the PDF writer: it writes into the device and never looks at the result.
        SafeFileWriter w(p);
        if (Error e = w.open(); e.isError())
            return e;
        const QByteArray chunk(1000, 'z');
        for (int i = 0; i < 10; ++i)
            w.device()->write(chunk);
        return w.commit();
    });
    QTest::newRow("channel file") << Writer(saveChannels);
    QTest::newRow("ini value") << Writer([](const QString& p) {
        return WriteIniString(QStringLiteral("Frequent"), QStringLiteral("PL2"),
                              QString(100, QLatin1Char('1')), p)
                   ? Error::none()
                   : Error{ErrorCode::PathFileAccess, QStringLiteral("WriteIniString failed")};
    });
    QTest::newRow("report pdf") << Writer([](const QString& p) {
        RadioSettings settings;
        settings.selectStartupDefaults();
        ChannelTable grid;
        grid.layOut(parseLayout(QStringLiteral("1")), 16);
        return writeReportPdf(p, ReportData::snapshot(QStringLiteral("RC-160"),
                                                      QStringLiteral("136MHz---174MHz"), settings, grid));
    });
}

void writeOld(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(kOld), kOld.size());
}

// Only the old file may be left in the folder: no temporary beside it.
void expectOnlyOld(const QString& folder, const QString& path, const QStringList& others = {}) {
    QCOMPARE(fileBytes(path), kOld);
    QStringList expected = others;
    expected << QFileInfo(path).fileName();
    expected.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name), expected);
}

const QByteArray kNew = "new\r\n";

// The writers of files the programs create, each writing kNew.
void addCreatorRows(const std::function<void(const char*, const Writer&)>& rows) {
    rows("whole bytes", [](const QString& p) { return writeFileAtomically(p, kNew); });
    rows("received file, user's path", [](const QString& p) {
        ReceivedFile f(p, ReceivedFile::Folder::Named);
        if (Error e = f.begin(); e.isError())
            return e;
        if (Error e = f.append(kNew.left(2)); e.isError())
            return e;
        return f.keep();
    });
}

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

bool run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestSafeFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        std::signal(SIGXFSZ, SIG_IGN); // past the size limit a write fails with EFBIG instead of a signal
    }

    void normalWrite_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("existing");
        QTest::newRow("new, small") << QByteArray("hello\r\n") << false;
        QTest::newRow("new, empty") << QByteArray() << false;
        QTest::newRow("over an old file, large") << bigBytes() << true;
        QTest::newRow("over an old file, shorter") << QByteArray("x") << true;
    }
    void normalWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, existing);
        const QString path = dir.filePath(QStringLiteral("normal.bin"));
        QFile::remove(path);
        if (existing)
            writeOld(path);
        const Error e = writeFileAtomically(path, bytes);
        QVERIFY2(!e.isError(), qPrintable(e.description));
        QCOMPARE(fileBytes(path), bytes);
        QVERIFY(QFileInfo(path).isFile());
    }

    void notARegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Writer>("writer");
        for (const char* kind : {"directory", "fifo"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, whole bytes").arg(kind)))
                << QString::fromLatin1(kind)
                << Writer([](const QString& p) { return writeFileAtomically(p, "x"); });
            QTest::newRow(qPrintable(QStringLiteral("%1, channel file").arg(kind)))
                << QString::fromLatin1(kind) << Writer(saveChannels);
        }
    }
    void notARegularFile() {
        QFETCH(QString, kind);
        QFETCH(Writer, writer);
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("target"));
        if (kind == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(path));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

        const Error e = writer(path); // opening a FIFO for writing would block with no reader
        QCOMPARE(e.code, ErrorCode::PathFileAccess);
        QVERIFY2(e.description.startsWith(QStringLiteral("路径/文件访问错误：")), qPrintable(e.description));
        QVERIFY(e.description.contains(path));
        const QFileInfo after(path);
        QVERIFY(after.exists() && !after.isFile());
        QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{QStringLiteral("target")});
    }

    // One rule for every file created: the umask decides a new file's permissions, a replaced file keeps
    // its own; a link at the name and a missing folder are refused, named, and left as they were.
    void creationRule_data() {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<QString>("before"); // at the path: none, file (0640), link, dangling link, no folder
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("mode"); // of the file written
        QTest::addColumn<int>("code"); // the error when refused
        addCreatorRows([](const char* name, const Writer& w) {
            const auto row = [&](const char* what) {
                return &QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(name, what)));
            };
            *row("new, umask 022") << w << "none" << 022 << 0644 << 0;
            *row("new, umask 077") << w << "none" << 077 << 0600 << 0;
            *row("new, umask 002") << w << "none" << 002 << 0664 << 0;
            *row("replaced keeps its mode") << w << "file" << 077 << 0640 << 0;
            *row("link refused") << w << "link" << 022 << 0 << ErrorCode::PathFileAccess;
            *row("dangling link refused") << w << "dangling link" << 022 << 0 << ErrorCode::PathFileAccess;
            *row("missing folder refused") << w << "no folder" << 022 << 0 << ErrorCode::PathNotFound;
        });
    }
    void creationRule() {
        QFETCH(Writer, writer);
        QFETCH(QString, before);
        QFETCH(int, umask);
        QFETCH(int, mode);
        QFETCH(int, code);
        QTemporaryDir here;
        const QString target = here.filePath(QStringLiteral("target"));
        const QString missing = here.filePath(QStringLiteral("missing"));
        QString path = here.filePath(QStringLiteral("file"));
        if (before == QLatin1String("file")) {
            writeOld(path);
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        } else if (before.endsWith(QLatin1String("link"))) {
            if (before == QLatin1String("link"))
                writeOld(target);
            QVERIFY(QFile::link(target, path));
        } else if (before == QLatin1String("no folder")) {
            path = missing + QStringLiteral("/deeper/file");
        }
        const QStringList entries = QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const mode_t saved = ::umask(mode_t(umask));
        const Error e = writer(path);
        ::umask(saved);
        QCOMPARE(e.code, code);
        if (code == 0) {
            QVERIFY(!fileBytes(path).isEmpty() && fileBytes(path) != kOld);
            QCOMPARE(modeOf(path), mode);
            return;
        }
        QVERIFY2(e.description.contains(
                     before == QLatin1String("no folder") ? missing + QStringLiteral("/deeper") : path),
                 qPrintable(e.description));
        QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        if (before == QLatin1String("link"))
            QCOMPARE(fileBytes(target), kOld);
    }

    // A file-size limit makes the flush fail the way a full disk does, on any machine and for any user.
    void failedWriteKeepsOldFile_data() { addWriterRows(); }
    void failedWriteKeepsOldFile() {
        QFETCH(Writer, writer);
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("old.file"));
        writeOld(path);

        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 64; // smaller than what any of the writers writes
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const Error e = writer(path);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &saved), 0);

        QVERIFY2(e.isError(), "a cut file was reported as saved");
        QCOMPARE(e.code, ErrorCode::PathFileAccess);
        expectOnlyOld(here.path(), path);
    }

    void fullFileSystem_data() { addWriterRows(); }
    void fullFileSystem() {
        QFETCH(Writer, writer);
        QTemporaryDir mountPoint;
        const QString folder = mountPoint.path();
        if (!run(QStringLiteral("mount"),
                 {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                  QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder}))
            QSKIP("cannot mount a small tmpfs here (needs root); the full-disk case is not run");
        struct Unmount {
            QString folder;
            ~Unmount() { run(QStringLiteral("umount"), {folder}); }
        } unmount{folder};

        const QString path = folder + QStringLiteral("/old.file");
        writeOld(path);
        {
            QFile filler(folder + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, '\0');
            while (filler.write(block) == block.size()) {
            }
        }

        const Error e = writer(path);
        QVERIFY2(e.isError(), "a cut file was reported as saved");
        QCOMPARE(e.code, ErrorCode::PathFileAccess);
        expectOnlyOld(folder, path, {QStringLiteral("filler")});
    }
};

QTEST_MAIN(TestSafeFile)
#include "tst_safe_file.moc"
