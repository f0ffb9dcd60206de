#include "app/AppOptions.h"

#include <QMap>
#include <QTest>

using namespace vexor;

class OptionsTest : public QObject {
    Q_OBJECT

private:
    static EOptionsResult parse(const QStringList& arguments, SAppOptions& options) {
        QString message;
        return parseAppOptions(QStringList{QStringLiteral("vexor")} + arguments, options, message);
    }

private slots:
    void everyOptionMayBeLeftOut() {
        SAppOptions options;
        QCOMPARE(parse({}, options), EOptionsResult::Run);
        QVERIFY(options.ports.empty());
        QVERIFY(options.systemPorts);
        QVERIFY(options.splash);
        QVERIFY(!options.language);
        QVERIFY(!options.cng);
    }

    void portsKeepTheirOrderAndTheOtherOptionsAreTaken() {
        SAppOptions options;
        QCOMPARE(parse({"--port", "/dev/pts/7", "-p", "/dev/ttyUSB3", "--no-system-ports",
                        "--config-dir", "/tmp/c", "--data-dir", "/tmp/d", "--lang", "13",
                        "--module", "CNG", "--no-splash", "--offline", "/tmp/car.xset"},
                       options),
                 EOptionsResult::Run);
        QCOMPARE(options.ports, (std::vector<std::string>{"/dev/pts/7", "/dev/ttyUSB3"}));
        QVERIFY(!options.systemPorts);
        QCOMPARE(options.configDir, std::string("/tmp/c"));
        QCOMPARE(options.dataDir, std::string("/tmp/d"));
        QCOMPARE(*options.language, 13);
        QCOMPARE(*options.cng, true);
        QVERIFY(!options.splash);
        QCOMPARE(options.offlineFile, std::string("/tmp/car.xset"));
    }

    void badValuesAndUnknownOptionsAreUsageErrors() {
        for (const QStringList& arguments :
             {QStringList{"--lang", "14"}, QStringList{"--lang", "x"},
              QStringList{"--module", "diesel"}, QStringList{"--bogus"}, QStringList{"file.txt"},
              QStringList{"a.xset", "b.xset"}, QStringList{"--offline", "a.xset", "b.xset"},
              QStringList{"--offline", ""}, QStringList{"--offline"}}) {
            SAppOptions options;
            QCOMPARE(parse(arguments, options), EOptionsResult::Error);
        }
    }

    void aFileFromTheFileManagerOpensByItsKind() {
        SAppOptions settings;
        QCOMPARE(parse({"/home/fitter/Car One.XSET"}, settings), EOptionsResult::Run);
        QCOMPARE(settings.offlineFile, std::string("/home/fitter/Car One.XSET"));
        QVERIFY(settings.openRecording.empty());

        SAppOptions recording;
        QCOMPARE(parse({"--lang", "1", "drive.osc"}, recording), EOptionsResult::Run);
        QCOMPARE(recording.openRecording, std::string("drive.osc"));
        QVERIFY(recording.offlineFile.empty());
    }

    void windowSystemOptionsAreLeftToQt() {
        SAppOptions options;
        QCOMPARE(parse({"-platform", "offscreen", "-reverse", "--module", "lpg"}, options),
                 EOptionsResult::Run);
        QCOMPARE(*options.cng, false);
    }

    // With no display to go to, the program says what it needs instead of
    // letting the window system abort it.
    void withoutADisplayTheProgramSaysWhatItNeeds() {
        QMap<QString, QString> env;
        const auto lookup = [&env](const char* name) {
            return env.value(QString::fromLatin1(name));
        };
        QString message;
        QVERIFY(!windowSystemReachable({"vexor"}, lookup, message));
        QVERIFY(message.contains(QStringLiteral("vexor-cli")));
        QVERIFY(windowSystemReachable({"vexor", "-platform", "offscreen"}, lookup, message));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env = {{QString::fromLatin1(name), QStringLiteral(":0")}};
            QVERIFY2(windowSystemReachable({"vexor"}, lookup, message), name);
        }
    }
};

QTEST_MAIN(OptionsTest)
#include "OptionsTest.moc"
