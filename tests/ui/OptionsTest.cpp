#include "app/AppOptions.h"

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
              QStringList{"--module", "diesel"}, QStringList{"--bogus"}, QStringList{"file.xset"},
              QStringList{"--offline", ""}, QStringList{"--offline"}}) {
            SAppOptions options;
            QCOMPARE(parse(arguments, options), EOptionsResult::Error);
        }
    }

    void windowSystemOptionsAreLeftToQt() {
        SAppOptions options;
        QCOMPARE(parse({"-platform", "offscreen", "-reverse", "--module", "lpg"}, options),
                 EOptionsResult::Run);
        QCOMPARE(*options.cng, false);
    }
};

QTEST_MAIN(OptionsTest)
#include "OptionsTest.moc"
