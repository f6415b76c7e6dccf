// placeholder
#include "fixture.h"
#include "testmain.h"
class TestCharts : public QObject {
    Q_OBJECT
};
QEL_TEST_MAIN(TestCharts)
#include "tst_charts.moc"
