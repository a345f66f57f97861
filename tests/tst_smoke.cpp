#include <QtTest>
#include "settings/RulerState.h"

class TestSmoke : public QObject {
    Q_OBJECT
private slots:
    void stateStartsHorizontal() { QVERIFY(RulerState{}.Horizontalni); }
};

QTEST_GUILESS_MAIN(TestSmoke)
#include "tst_smoke.moc"
