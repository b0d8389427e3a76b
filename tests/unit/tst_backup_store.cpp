#include <QTemporaryDir>
#include <QtTest>

#include "document/backup_store.h"

Q_DECLARE_METATYPE(BackupStore::Kind)

// The backup folder: names that any file system takes, one file per backup even within a second, a year
// kept, and a folder that cannot be made reported as an error.
namespace {

const QDateTime kWhen(QDate(2026, 12, 9), QTime(4, 15, 2));

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestBackupStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void naming_data();
    void naming();
    void sameSecondGetsItsOwnFile();
    void prune_data();
    void prune();
    void saveRemovesOldBackups();
    void unwritableFolder_data();
    void unwritableFolder();
};

void TestBackupStore::naming_data() {
    QTest::addColumn<BackupStore::Kind>("kind");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("name");
    const auto read = BackupStore::Kind::Read;
    const auto write = BackupStore::Kind::Write;
    QTest::newRow("read") << read << "RC-160"
                          << "20261209-041502-读频-RC-160.qfd";
    QTest::newRow("write") << write << "RC-160"
                           << "20261209-041502-写频-RC-160.qfd";
    QTest::newRow("slash") << write << "UV/5R"
                           << "20261209-041502-写频-UV_5R.qfd";
    QTest::newRow("path") << read << "../../etc/passwd"
                          << "20261209-041502-读频-.._.._etc_passwd.qfd";
    QTest::newRow("refused characters") << read << "a\\b:c*d?e\"f<g>h|i"
                                        << "20261209-041502-读频-a_b_c_d_e_f_g_h_i.qfd";
    QTest::newRow("control characters") << read
                                        << "A\tB\x01"
                                           "C"
                                        << "20261209-041502-读频-A_B_C.qfd";
    QTest::newRow("spaces") << read << "  K 58 Pro  "
                            << "20261209-041502-读频-K 58 Pro.qfd";
    QTest::newRow("chinese") << write << "对讲机 八号"
                             << "20261209-041502-写频-对讲机 八号.qfd";
    QTest::newRow("no model") << read << ""
                              << "20261209-041502-读频.qfd";
    QTest::newRow("blank model") << write << "   "
                                 << "20261209-041502-写频.qfd";
    QTest::newRow("long model") << read << QString(200, QLatin1Char('x'))
                                << "20261209-041502-读频-" + QString(64, QLatin1Char('x')) + ".qfd";
}

void TestBackupStore::naming() {
    QFETCH(BackupStore::Kind, kind);
    QFETCH(QString, model);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const BackupStore store(dir.filePath(QStringLiteral("backups")));
    QString saved;
    const QByteArray contents = "52 00 00 08 71 FF FF FF 10 06 05 19 \r\n";
    const Error e = store.save(kind, model, contents, kWhen, &saved);
    QVERIFY2(!e.isError(), qPrintable(e.description));
    QCOMPARE(QFileInfo(saved).fileName(), name);
    QCOMPARE(QFileInfo(saved).absolutePath(), QFileInfo(store.folder()).absoluteFilePath());
    QCOMPARE(contentsOf(saved), contents);
    QCOMPARE(QDir(store.folder()).entryList(QDir::Files), QStringList{name});
}

void TestBackupStore::sameSecondGetsItsOwnFile() {
    QTemporaryDir dir;
    const BackupStore store(dir.path());
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        QString saved;
        QVERIFY(!store
                     .save(BackupStore::Kind::Read, QStringLiteral("RC-160"), QByteArray::number(i), kWhen,
                           &saved)
                     .isError());
        QCOMPARE(contentsOf(saved), QByteArray::number(i));
        names << QFileInfo(saved).fileName();
    }
    QCOMPARE(names, (QStringList{QStringLiteral("20261209-041502-读频-RC-160.qfd"),
                                 QStringLiteral("20261209-041502-读频-RC-160-2.qfd"),
                                 QStringLiteral("20261209-041502-读频-RC-160-3.qfd")}));
    // Every earlier backup still holds what it held.
    QCOMPARE(contentsOf(dir.filePath(names[0])), QByteArray("0"));
    QCOMPARE(contentsOf(dir.filePath(names[1])), QByteArray("1"));
}

void TestBackupStore::prune_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("modifiedDaysAgo");
    QTest::addColumn<bool>("kept");
    // "now" is kWhen; the names carry local times.
    QTest::newRow("named yesterday") << "20261208-041502-读频-RC-160.qfd" << 1 << true;
    QTest::newRow("named a second short of a year") << "20251209-041503-写频.qfd" << 400 << true;
    QTest::newRow("named a second past a year") << "20251209-041501-写频.qfd" << 0 << false;
    QTest::newRow("named two years ago") << "20241001-120000-读频-X.qfd" << 0 << false;
    QTest::newRow("other name, modified lately") << "mine.qfd" << 30 << true;
    QTest::newRow("other name, modified long ago") << "mine.qfd" << 400 << false;
    QTest::newRow("not a channel file") << "notes.txt" << 800 << true;
}

void TestBackupStore::prune() {
    QFETCH(QString, file);
    QFETCH(int, modifiedDaysAgo);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QVERIFY(writeFile(path, "x"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(kWhen.addDays(-modifiedDaysAgo), QFileDevice::FileModificationTime));
    f.close();
    const int removed = BackupStore(dir.path()).prune(kWhen);
    QCOMPARE(QFile::exists(path), kept);
    QCOMPARE(removed, kept ? 0 : 1);
}

void TestBackupStore::saveRemovesOldBackups() {
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("20250101-000000-读频-RC-160.qfd"));
    const QString recent = dir.filePath(QStringLiteral("20260101-000000-读频-RC-160.qfd"));
    QVERIFY(writeFile(old, "old"));
    QVERIFY(writeFile(recent, "recent"));
    QString saved;
    QVERIFY(!BackupStore(dir.path())
                 .save(BackupStore::Kind::Write, QStringLiteral("RC-160"), "new", kWhen, &saved)
                 .isError());
    QVERIFY(!QFile::exists(old));
    QCOMPARE(contentsOf(recent), QByteArray("recent"));
    QCOMPARE(contentsOf(saved), QByteArray("new"));
}

void TestBackupStore::unwritableFolder_data() {
    QTest::addColumn<QString>("blocker"); // a regular file in the way, relative to the temporary folder
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("code");
    QTest::newRow("folder is a file") << "backups"
                                      << "backups" << ErrorCode::PathNotFound;
    QTest::newRow("parent is a file") << "data"
                                      << "data/backups" << ErrorCode::PathNotFound;
}

void TestBackupStore::unwritableFolder() {
    QFETCH(QString, blocker);
    QFETCH(QString, folder);
    QFETCH(int, code);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(blocker), "mine"));
    QString saved;
    const Error e = BackupStore(dir.filePath(folder))
                        .save(BackupStore::Kind::Read, QStringLiteral("RC-160"), "x", kWhen, &saved);
    QCOMPARE(e.code, code);
    QVERIFY(e.description.contains(dir.filePath(folder)));
    QVERIFY(saved.isEmpty());
    QCOMPARE(contentsOf(dir.filePath(blocker)), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestBackupStore)
#include "tst_backup_store.moc"
