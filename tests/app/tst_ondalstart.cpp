#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the built program itself, as a user would over a plain SSH session.
class tst_OndalStart : public QObject
{
    Q_OBJECT

private slots:
    void withoutDisplaySaysSoAndStops();
};

void tst_OndalStart::withoutDisplaySaysSoAndStops()
{
    // Settings go to a scratch folder, should the program get further than it
    // ought to.
    QTemporaryDir config;
    QVERIFY(config.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name :
         {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"XDG_SESSION_TYPE"_s})
        environment.remove(name);
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());

    QProcess ondal;
    ondal.setProcessEnvironment(environment);
    ondal.start(QStringLiteral(ONDAL_PROGRAM), {});
    QVERIFY2(ondal.waitForFinished(60000), qPrintable(ondal.errorString()));

    QCOMPARE(ondal.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ondal.exitCode(), 1);
    QCOMPARE(QString::fromLocal8Bit(ondal.readAllStandardError()),
             u"Ondal cannot start here: it is a desktop program and this session has no "
             u"graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"_s);
    QCOMPARE(ondal.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(tst_OndalStart)
#include "tst_ondalstart.moc"
