#include "fixture.h"
#include "testmain.h"
class TestQelparam : public QObject {
    Q_OBJECT
private slots:
    void none() {}
};
QEL_TEST_MAIN(TestQelparam)
#include "tst_qelparam.moc"
