#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "program_run.h"

#include "config/build_info.h"

// The executables as a user runs them: --version, an installed tree (bin/ and share/radiocps/ side by side,
// unpacked anywhere) run from another working directory, and the desktop program's file argument.
namespace {

const QString kBuiltPrograms = QStringLiteral(RADIOCPS_BIN_DIR);
const QString kData = QStringLiteral(RADIOCPS_SOURCE_DIR "/data");

struct ProgramResult {
    int code = -1;
    QStringList out; // lines
    QString err;
};

// Run from "/", so that nothing is found through the current folder.
ProgramResult runFromRoot(const QString& program, const QStringList& args,
                          const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    const ProgramRun r = runProgram(program, args, 60000, env, QStringLiteral("/"));
    return {r.code, QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
            QString::fromUtf8(r.err)};
}

bool copy(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    return QFile::copy(from, to);
}

// As on a server or over ssh: no display, and the platform a desktop session would use.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
}

} // namespace

class TestInstalledPrograms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void version_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("namesConfig");
        QTest::newRow("desktop program") << "radiocps" << true;
        QTest::newRow("command-line tool") << "radiocps-cli" << true;
        QTest::newRow("virtual radio") << "radiocps-sim" << false;
    }
    // No display is needed: the desktop program answers before it opens a window.
    void version() {
        QFETCH(QString, program);
        QFETCH(bool, namesConfig);
        const QProcessEnvironment env = withoutDisplay();
        const ProgramResult r =
            runFromRoot(kBuiltPrograms + QLatin1Char('/') + program, {QStringLiteral("--version")}, env);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.value(0), program + QLatin1Char(' ') + QStringLiteral(RADIOCPS_VERSION));
        QCOMPARE(r.out.size(), namesConfig ? 2 : 1);
        if (namesConfig)
            QCOMPARE(r.out.value(1),
                     QStringLiteral("配置文件：") + kBuiltPrograms + QStringLiteral("/Sfc.ini"));
    }

    // Nor for the help, which names the options each program takes.
    void helpWithoutDisplay_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::newRow("desktop program") << "radiocps"
                                         << "--port";
        QTest::newRow("desktop program, -h") << "radiocps"
                                             << "--screenshot";
        QTest::newRow("command-line tool") << "radiocps-cli"
                                           << "convert";
        QTest::newRow("virtual radio") << "radiocps-sim"
                                       << "--fault";
    }
    void helpWithoutDisplay() {
        QFETCH(QString, program);
        QFETCH(QString, option);
        const QProcessEnvironment env = withoutDisplay();
        const QString flag = QString::fromUtf8(QTest::currentDataTag()).endsWith(QLatin1String("-h"))
                                 ? QStringLiteral("-h")
                                 : QStringLiteral("--help");
        const ProgramResult r = runFromRoot(kBuiltPrograms + QLatin1Char('/') + program, {flag}, env);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.join(QLatin1Char('\n')).contains(option), qPrintable(r.out.join(QLatin1Char('\n'))));
    }

    void installedTree_data() {
        QTest::addColumn<bool>("installedData");
        QTest::addColumn<bool>("configBeside");
        QTest::addColumn<QString>("config"); // relative to the root
        QTest::addColumn<int>("showExit");
        QTest::newRow("installed") << true << false << "usr/share/radiocps/Sfc.ini" << 0;
        QTest::newRow("beside the executable first") << true << true << "usr/bin/Sfc.ini" << 0;
        QTest::newRow("no data at all") << false << false << "usr/bin/Sfc.ini" << 1;
    }
    void installedTree() {
        QFETCH(bool, installedData);
        QFETCH(bool, configBeside);
        QFETCH(QString, config);
        QFETCH(int, showExit);
        QTemporaryDir root;
        const QString cli = root.filePath(QStringLiteral("usr/bin/radiocps-cli"));
        QVERIFY(copy(kBuiltPrograms + QStringLiteral("/radiocps-cli"), cli));
        const QString sample = root.filePath(QStringLiteral("sample.qfd"));
        QVERIFY(copy(kData + QStringLiteral("/samples/demo-16.qfd"), sample));
        if (installedData)
            QVERIFY(copy(kData + QStringLiteral("/Sfc.ini"),
                         root.filePath(QStringLiteral("usr/share/radiocps/Sfc.ini"))));
        if (configBeside)
            QVERIFY(
                copy(kData + QStringLiteral("/Sfc.ini"), root.filePath(QStringLiteral("usr/bin/Sfc.ini"))));

        const ProgramResult version = runFromRoot(cli, {QStringLiteral("--version")});
        QCOMPARE(version.code, 0);
        QVERIFY2(version.out.value(1).startsWith(QStringLiteral("配置文件：") + root.filePath(config)),
                 qPrintable(version.out.join(QLatin1Char('\n'))));

        const ProgramResult show = runFromRoot(cli, {QStringLiteral("show"), sample});
        QCOMPARE(show.code, showExit);
        if (showExit == 0)
            QVERIFY2(show.out.value(0).contains(QStringLiteral("RC-160")),
                     qPrintable(show.out.join(QLatin1Char('\n'))));
    }

    // `radiocps FILE` (the .desktop file's Exec line) opens FILE as --open FILE does: the same window, and
    // not the empty one of a start without a file.
    void fileArgument() {
        QTemporaryDir dir;
        const QString sample = kData + QStringLiteral("/samples/demo-16.qfd");
        const QList<QStringList> starts{{sample}, {QStringLiteral("--open"), sample}, {}};
        QList<QImage> pictures;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The window remembers folders between runs; this run keeps them to itself.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        for (int i = 0; i < starts.size(); ++i) {
            const QString png = dir.filePath(QStringLiteral("%1.png").arg(i));
            const ProgramResult r =
                runFromRoot(kBuiltPrograms + QStringLiteral("/radiocps"),
                            starts[i] + QStringList{QStringLiteral("--screenshot"), png}, env);
            QVERIFY2(r.code == 0, qPrintable(r.err));
            const QImage picture(png);
            QVERIFY(!picture.isNull());
            // Without the status bar, whose clock ticks between the runs.
            pictures << picture.copy(0, 0, picture.width(), picture.height() * 9 / 10);
        }
        QCOMPARE(pictures[0], pictures[1]);
        QVERIFY(pictures[0] != pictures[2]);
    }
};

QTEST_GUILESS_MAIN(TestInstalledPrograms)
#include "tst_installed_programs.moc"
